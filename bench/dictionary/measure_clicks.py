#!/usr/bin/python3
"""What a click on ordinary English prose shows: the word's own article, its lemma's,
a wrong one, or an honest "unknown".

usage: measure_clicks.py BUILD_DIR [TEXT_FILE...]

Every word of the texts (by default the licence texts every Debian system carries in
/usr/share/common-licenses) is taken as a click takes it: a run of letters, digits, "-",
"'" and ":", lower case, without ":" and "'". bench_wordforms --classify looks each one
up twice: with the near match alone (as before forms were known) and along the whole
click path. The right lemma comes from WordNet (wordnet-base): its exception lists and
its detachment rules, the candidate with the highest sense count winning, so "does" is
a form of "do", not of "doe".
"""
import collections
import os
import re
import subprocess
import sys

WORDNET = "/usr/share/wordnet"
DEFAULT_TEXTS = ["/usr/share/common-licenses/" + n for n in ("GPL-3", "GPL-2", "Apache-2.0", "MPL-2.0")]
RULES = {
    "noun": [("s", ""), ("ses", "s"), ("xes", "x"), ("zes", "z"), ("ches", "ch"), ("shes", "sh"),
             ("men", "man"), ("ies", "y")],
    "verb": [("s", ""), ("ies", "y"), ("es", "e"), ("es", ""), ("ed", "e"), ("ed", ""), ("ing", "e"), ("ing", "")],
    "adj": [("er", ""), ("est", ""), ("er", "e"), ("est", "e")],
    "adv": [],
}


def load_wordnet():
    index, exceptions, counts = {}, collections.defaultdict(list), collections.Counter()
    for pos in RULES:
        index[pos] = set()
        with open(os.path.join(WORDNET, "index." + pos), encoding="latin-1") as f:
            for line in f:
                if not line.startswith(" "):
                    index[pos].add(line.split(" ", 1)[0])
        with open(os.path.join(WORDNET, pos + ".exc"), encoding="latin-1") as f:
            for line in f:
                form, *lemmas = line.split()
                exceptions[form] += [(pos, l) for l in lemmas]
    with open(os.path.join(WORDNET, "cntlist.rev"), encoding="latin-1") as f:
        for line in f:
            parts = line.split()
            if len(parts) == 3:
                counts[parts[0].split("%")[0]] += int(parts[2])
    return index, exceptions, counts


def lemma_of(word, wn):
    """The most common WordNet base form of `word` (itself when it is one), or None."""
    index, exceptions, counts = wn
    candidates = set()
    for pos, forms in index.items():
        if word in forms:
            candidates.add(word)
        for lemma in [l for p, l in exceptions.get(word, []) if p == pos]:
            if lemma in forms:
                candidates.add(lemma)
        for ending, replacement in RULES[pos]:
            if word.endswith(ending) and len(word) > len(ending):
                base = word[: len(word) - len(ending)] + replacement
                if base in forms:
                    candidates.add(base)
    if not candidates:
        return None
    return max(sorted(candidates), key=lambda c: (counts[c], c == word))


def click_words(paths):
    words = []
    for path in paths:
        text = open(path, encoding="utf-8", errors="replace").read()
        for token in re.findall(r"[A-Za-z0-9:'\-]+", text):
            key = token.replace(":", "").replace("'", "").strip("-").lower()
            if key and "a" <= key[0] <= "z":
                words.append(key)
    return words


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = sys.argv[1]
    paths = sys.argv[2:] or DEFAULT_TEXTS
    words = click_words(paths)
    freq = collections.Counter(words)
    tool = os.path.join(build, "bench", "bench_wordforms")
    out = subprocess.run([tool, "--classify"], input="\n".join(freq) + "\n", capture_output=True, text=True,
                         check=True).stdout
    headwords = set()
    with open(os.path.join(build, "data", "dict1.txt"), "rb") as f:
        lines = f.read().decode("cp1251").split("\r\n")
        headwords = set(lines[0::4][: len(lines) // 4])
    wn = load_wordnet()

    def verdict(word, shown, route):
        lemma = lemma_of(word, wn)
        if route == "contraction":
            return "a contraction's main word"
        if shown == word:
            return "the word's own headword"
        if shown and shown == lemma:
            return "an inflected form that lands on its lemma"
        lemma_known = word in headwords or (lemma is not None and lemma in headwords)
        if route in ("unknown", "near"):
            return "said to be unknown, lemma a headword" if lemma_known else "said to be unknown"
        if lemma_known:
            return "a wrong entry although the lemma is a headword"
        return "an unrelated neighbour" if shown else "nothing"

    before, after = collections.Counter(), collections.Counter()
    before_w, after_w = collections.Counter(), collections.Counter()
    wrong = collections.defaultdict(list)
    for row in out.splitlines():
        word, near, route, shown = row.split("\t")
        b = verdict(word, near, "near-match-only")
        a = verdict(word, shown, route)
        before[b] += 1
        before_w[b] += freq[word]
        after[a] += 1
        after_w[a] += freq[word]
        if a.startswith("a wrong") or a == "said to be unknown, lemma a headword":
            wrong[a].append("%s -> %s" % (word, shown or "-"))
    forms, running = len(freq), sum(freq.values())
    print("%d running words, %d distinct forms, from %s" % (running, forms, ", ".join(paths)))
    order = ["the word's own headword", "an inflected form that lands on its lemma", "a contraction's main word",
             "a wrong entry although the lemma is a headword", "an unrelated neighbour",
             "said to be unknown", "said to be unknown, lemma a headword", "nothing"]
    print("%-48s %17s %17s" % ("What a click gives", "before: forms/run", "after: forms/run"))
    for k in order:
        if before[k] or after[k]:
            print("%-48s %7.1f%% %7.1f%%  %7.1f%% %7.1f%%" % (k, 100 * before[k] / forms, 100 * before_w[k] / running,
                                                          100 * after[k] / forms, 100 * after_w[k] / running))
    for k, items in wrong.items():
        print("\n%s (after): %s" % (k, ", ".join(sorted(items))))


if __name__ == "__main__":
    main()
