#!/usr/bin/python3
"""How often a common Russian word gives its everyday English equivalent first.

usage: measure_russian_order.py DATA_DIR

Reads DATA_DIR/dict2.txt and checks, for each Russian word of the list below, where the
first of its everyday equivalents stands in the word's article.
"""
import re
import sys

# Russian word: its everyday English equivalents (any of them counts).
COMMON = """
знать: know | ребёнок: child baby kid | тысяча: thousand | человек: man person human | мы: we
дом: house home | вода: water | говорить: speak say talk tell | видеть: see | делать: do make
идти: go walk come | большой: big large great | маленький: small little | хороший: good | плохой: bad
новый: new | старый: old | день: day | ночь: night | год: year | время: time | рука: hand arm
глаз: eye | голова: head | друг: friend | жизнь: life | работа: work job | слово: word
город: town city | книга: book | стол: table desk | окно: window | дверь: door | собака: dog
кошка: cat | мать: mother | отец: father | сын: son | дочь: daughter | брат: brother
сестра: sister | женщина: woman | мужчина: man | девочка: girl | мальчик: boy | любить: love like
хотеть: want wish | думать: think | жить: live | писать: write | читать: read | спать: sleep
есть: eat | пить: drink | сидеть: sit | стоять: stand | дать: give | взять: take | сказать: say tell
быстрый: fast quick rapid | медленный: slow | красный: red | белый: white | чёрный: black
деньги: money | земля: earth land ground soil | солнце: sun | вопрос: question | ответ: answer
дорога: road way | улица: street | школа: school | учитель: teacher | язык: language tongue
страна: country land | место: place | лицо: face | сердце: heart | и: and | можно: may can
нужно: need must | надо: must need | красивый: beautiful pretty handsome | день рождения: birthday
утро: morning | вечер: evening | неделя: week | месяц: month | деревня: village | лес: forest wood
река: river | море: sea | небо: sky | дерево: tree | цветок: flower | еда: food | хлеб: bread
молоко: milk | яблоко: apple | дождь: rain | снег: snow | холодный: cold | тёплый: warm
горячий: hot | счастливый: happy | грустный: sad | трудный: difficult hard | лёгкий: easy light
открыть: open | закрыть: close shut | начать: begin start | помогать: help | понимать: understand
спрашивать: ask | отвечать: answer reply | работать: work | играть: play | петь: sing
бежать: run | ходить: walk go | покупать: buy | платить: pay | учить: teach learn | помнить: remember
забыть: forget | слушать: listen hear | смотреть: look watch see | ждать: wait expect
""".replace("\n", " | ")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    lines = open(sys.argv[1] + "/dict2.txt", "rb").read().decode("cp1251").split("\r\n")
    table = {lines[i]: lines[i + 1] for i in range(0, len(lines) - 1, 2)}
    first = top3 = total = 0
    misses = []
    for item in COMMON.split("|"):
        if ":" not in item:
            continue
        word, wanted = item.split(":")
        word, wanted = word.strip(), set(wanted.split())
        total += 1
        article = table.get(word, "")
        english = [m.lower() for m in re.findall(r"<span class=ew>([^<]*)</span>", article)]
        place = next((i for i, e in enumerate(english) if e in wanted), None)
        first += place == 0
        top3 += place is not None and place < 3
        if place != 0:
            misses.append("%s: %s" % (word, "; ".join(english[:4]) or "(not in the table)"))
    print("%d common words: everyday equivalent first for %.0f%%, in the first three for %.0f%%"
          % (total, 100 * first / total, 100 * top3 / total))
    print("not first: " + " | ".join(misses))


if __name__ == "__main__":
    main()
