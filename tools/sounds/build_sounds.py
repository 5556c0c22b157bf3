#!/usr/bin/python3
"""Builds data/words.txt and the recordings it names.

usage: build_sounds.py DATA_DIR SYNTH_TOOL

Every entry of the index is spoken by espeak-ng (lexitar-soundsynth), trimmed and
joined with silence into files of 200-400 items; the first file stays WAV, the
others are encoded with lame. Everything is built in a temporary folder inside
DATA_DIR and moved into place at the end, so a failed build leaves the old index.
"""
import collections
import concurrent.futures
import gzip
import os
import re
import shutil
import subprocess
import sys
import tempfile
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
VOICE = "en-gb-x-rp"
SOUND_DIR = "sounds"
TOTAL = 12000           # entries wanted in all (at least 10,000) before the word forms
MAX_FORMS = 9000        # word forms recorded after every other entry
FILE_ITEMS = 300        # items per recording (200-400)
# Constant bit rate, so that a seek lands on the same sample in every decoder; 56 kbit/s
# is the lowest rate at 22,050 Hz whose first frame holds the LAME header with the
# encoder's delay and padding (without it decoders shift every word).
LAME_ARGS = ["lame", "--quiet", "-m", "m", "-b", "56", "-q", "5"]

# Lesson 1's 44 sounds: entry, code, espeak phonemes, voice. Fricatives are spoken
# long; stops, affricates, nasals and glides get a short neutral vowel. The RP voice
# says [[U@]] as a long o, so that one sound uses the general English voice.
SOUNDS = [
    (3391, "a:", "[[A:]]", VOICE), (3548, "A", "[[V]]", VOICE),
    (3525, "O:", "[[O:]]", VOICE), (3528, "O", "[[0]]", VOICE),
    (3492, "u:", "[[u:]]", VOICE), (3495, "u", "[[U]]", VOICE),
    (3551, "I:", "[[i:]]", VOICE), (3554, "I", "[[I]]", VOICE),
    (3442, "e", "[[E]]", VOICE), (3507, "x", "[[a]]", VOICE),
    (3519, "q:", "[[3:]]", VOICE), (3522, "q", "[[@]]", VOICE),
    (3448, "eI", "[[eI]]", VOICE), (3429, "aI", "[[aI]]", VOICE),
    (3531, "OI", "[[OI]]", VOICE), (3557, "Iq", "[[i@]]", VOICE),
    (3498, "uq", "[[U@]]", "en"), (3445, "Fq", "[[e@]]", VOICE),
    (3415, "au", "[[aU]]", VOICE), (3478, "qu", "[[oU]]", VOICE),
    (3450, "f", "[[fff]]", VOICE), (3500, "v", "[[vvv]]", VOICE),
    (3465, "k", "[[k@]]", VOICE), (3453, "g", "[[g@]]", VOICE),
    (3480, "p", "[[p@]]", VOICE), (3435, "b", "[[b@]]", VOICE),
    (3484, "s", "[[sss]]", VOICE), (3504, "z", "[[zzz]]", VOICE),
    (3486, "t", "[[t@]]", VOICE), (3437, "d", "[[d@]]", VOICE),
    (3533, "S", "[[SSS]]", VOICE), (3536, "Z", "[[ZZZ]]", VOICE),
    (3542, "T", "[[TTT]]", VOICE), (3540, "D", "[[DDD]]", VOICE),
    (3488, "tS", "[[tS@]]", VOICE), (3439, "dZ", "[[dZ@]]", VOICE),
    (3473, "m", "[[m@]]", VOICE), (3471, "l", "[[l@]]", VOICE),
    (3461, "j", "[[j@]]", VOICE), (3502, "w", "[[w@]]", VOICE),
    (3475, "n", "[[n@]]", VOICE), (3560, "N", "[[N@]]", VOICE),
    (3482, "r", "[[r@]]", VOICE), (3456, "h", "[[h@]]", VOICE),
]

# Transcriptions of the course texts that are no single sound of lesson 1 and no
# word's whole transcription: lesson 2's readings, and the strong or modern forms
# the grammar lessons teach beside a word's dictionary form. A click on "[ks]" or
# "[Dem]" plays one of these.
READINGS = [
    ("ks", "[[ksss]]"), ("gz", "[[gzzz]]"), ("kw", "[[kw@]]"), ("aIq", "[[aI@]]"),
    ("auq", "[[aU@]]"), ("wO", "[[w0]]"), ("Sqn", "[[S@n]]"), ("Zqn", "[[Z@n]]"),
    ("tSq", "[[tS@]]"), ("qs", "[[@sss]]"),
    ("Dem", "[[D'Em]]"), ("qn", "[[@n]]"), ("'twentIqT", "[['twEntI@T]]"),
]

# Sounds that espeak says much more quietly than the vowels: spoken louder.
QUIET = {"f", "v", "T", "D", "s", "z", "S", "Z", "h", "p", "t", "k"}

# The alphabet: entry and transcription of each letter's name, A to Z.
LETTERS = [
    (1344, "eI"), (1482, "bi:"), (1673, "si:"), (285, "di:"), (1963, "i:"),
    (2013, "ef"), (2091, "dZi:"), (2227, "eItS"), (2276, "aI"), (2290, "dZeI"),
    (2304, "keI"), (643, "el"), (2559, "em"), (2608, "en"), (2611, "qu"),
    (2634, "pi:"), (2848, "kju:"), (2987, "a:"), (3121, "es"), (3194, "ti:"),
    (1984, "ju:"), (3333, "vi:"), (3381, "dAblju:"), (3382, "eks"), (3384, "waI"),
    (3388, "zed"),
]

FIXED_END = 3560        # entries up to here have fixed numbers or are drawn by drills
BASIC_END = 1311
COMMON_END = 3388

# British spellings for the American ones of WordNet.
BRITISH = {
    "color": "colour", "colors": "colours", "center": "centre", "theater": "theatre",
    "favor": "favour", "favorite": "favourite", "labor": "labour", "honor": "honour",
    "neighbor": "neighbour", "behavior": "behaviour", "humor": "humour", "harbor": "harbour",
    "flavor": "flavour", "meter": "metre", "liter": "litre", "fiber": "fibre",
    "gray": "grey", "jewelry": "jewellery", "defense": "defence", "offense": "offence",
    "license": "licence", "catalog": "catalogue", "dialog": "dialogue", "program": "programme",
    "organize": "organise", "realize": "realise", "recognize": "recognise",
    "apologize": "apologise", "criticize": "criticise", "analyze": "analyse",
    "traveler": "traveller", "vapor": "vapour", "rumor": "rumour", "armor": "armour",
    "savior": "saviour", "valor": "valour", "vigor": "vigour", "odor": "odour",
    "mold": "mould", "colored": "coloured", "neighborhood": "neighbourhood", "plow": "plough", "pajamas": "pyjamas", "tire": None,
}
# WordNet headwords that are no everyday English for a learner's word lists.
UNWANTED = {
    "redcoat", "regiment", "cf", "etc", "etcetera", "ad", "al", "ca", "co", "de", "du",
    "el", "la", "le", "ii", "iii", "iv", "vi", "vii", "viii", "ix", "xi", "ok", "mr",
    "mrs", "st", "dr", "ft", "lb", "oz", "ie", "eg", "op", "vs", "re", "non", "anti", "pa",
    "negro", "bastard", "damn", "jew", "jewish", "christ", "anode", "polynomial", "binomial",
    "hypothalamic", "thyroid", "serum", "saline", "micelle", "conjugate", "staining",
    "petitioner", "allotment", "hr", "sq", "ml", "km", "kg", "mm", "cm", "mg", "lbs",
}

# Espeak IPA to the course's transcription codes, longest first.
IPA_CODES = [
    ("tʃ", "tS"), ("dʒ", "dZ"), ("eɪ", "eI"), ("aɪ", "aI"), ("ɔɪ", "OI"), ("ɪə", "Iq"),
    ("iə", "Iq"), ("ʊə", "uq"), ("eə", "Fq"), ("ɛə", "Fq"), ("aʊ", "au"), ("əʊ", "qu"),
    ("oʊ", "qu"), ("ɑː", "a:"), ("ɔː", "O:"), ("uː", "u:"), ("iː", "i:"), ("ɜː", "q:"),
    ("ɪ", "I"), ("ᵻ", "I"), ("i", "i"), ("ʊ", "u"), ("u", "u"), ("ʌ", "A"), ("ɒ", "O"),
    ("ɔ", "O"), ("o", "O"), ("æ", "x"), ("a", "x"), ("e", "e"), ("ɛ", "e"), ("ə", "q"),
    ("ɐ", "q"), ("ɚ", "q"), ("ɜ", "q:"), ("ɑ", "a:"), ("ɹ", "r"), ("r", "r"), ("ɾ", "t"),
    ("ʔ", "t"), ("ɡ", "g"), ("ʃ", "S"), ("ʒ", "Z"), ("θ", "T"), ("ð", "D"), ("ŋ", "N"),
    ("ɬ", "l"), ("ɫ", "l"), ("x", "k"), ("ç", "h"), ("ʲ", ""), ("ː", ":"),
] + [(c, c) for c in "bdfhjklmnpstvwz"]
VOWELS = {"a:", "A", "O", "O:", "u", "u:", "I", "i", "i:", "e", "x", "q", "q:", "eI", "aI",
          "OI", "Iq", "uq", "Fq", "au", "qu"}
# Consonant groups that may begin an English syllable (besides any single consonant).
ONSETS = {tuple(o.split()) for o in (
    "p r|p l|p j|b r|b l|b j|t r|t w|t j|d r|d w|d j|k r|k l|k w|k j|g r|g l|g w|f r|"
    "f l|f j|v j|T r|T w|S r|s p|s t|s k|s m|s n|s l|s w|s f|s j|m j|n j|h j|l j|"
    "s p r|s p l|s p j|s t r|s t j|s k r|s k w|s k j").split("|")}


def fail(message):
    print("sounds: " + message, file=sys.stderr)
    sys.exit(1)


def ipa_to_codes(ipa):
    """Converts espeak's IPA to the course codes, with the stress mark moved from
    before the vowel to the start of its syllable; secondary stress is dropped."""
    tokens = []
    i = 0
    while i < len(ipa):
        if ipa[i] == "ˈ":
            tokens.append("'")
            i += 1
            continue
        for src, dst in IPA_CODES:
            if ipa.startswith(src, i):
                if dst == ":" and tokens and tokens[-1] in VOWELS and not tokens[-1].endswith(":"):
                    tokens[-1] += ":"
                elif dst and dst != ":":
                    tokens.append(dst)
                i += len(src)
                break
        else:
            i += 1  # secondary stress, spaces, length marks after consonants
    out = []
    for tok in tokens:
        if tok != "'":
            out.append(tok)
            continue
        run = 0
        while run < len(out) and out[len(out) - 1 - run] not in VOWELS and out[len(out) - 1 - run] != "'":
            run += 1
        cluster = out[len(out) - run:]
        keep = run if len(out) == run else 0
        if len(out) != run:
            for n in range(min(run, 3), 0, -1):
                if n == 1 or tuple(cluster[run - n:]) in ONSETS:
                    keep = n
                    break
        out.insert(len(out) - keep, "'")
    text = "".join(out)
    if text.count("'") == 1 and text.startswith("'") and sum(t in VOWELS for t in out) == 1:
        text = text[1:]  # one syllable: no stress mark
    return text


def wordnet_ranking():
    """WordNet lemmas (single words of letters) ordered by their summed sense counts."""
    counts = collections.Counter()
    try:
        with open("/usr/share/wordnet/cntlist.rev", encoding="latin-1") as f:
            for line in f:
                parts = line.split()
                if len(parts) == 3:
                    lemma = parts[0].split("%")[0]
                    if re.fullmatch(r"[a-z]{2,}", lemma):
                        counts[lemma] += int(parts[2])
    except OSError:
        fail("the WordNet counts (/usr/share/wordnet/cntlist.rev, package wordnet-base) are missing")
    ranked = []
    for word, _ in sorted(counts.items(), key=lambda kv: (-kv[1], kv[0])):
        word = BRITISH.get(word, word)
        if word and word not in UNWANTED and re.search("[aeiouy]", word):
            ranked.append(word)
    return ranked


def everyday_words():
    words = []
    with open(os.path.join(HERE, "everyday.txt"), encoding="ascii") as f:
        for line in f:
            if not line.startswith("#"):
                words.extend(line.split())
    return words


def course_words(data):
    """Every English word (a run of Latin letters, or a contraction or hyphenated
    word as a whole, lower-cased) of the course texts,
    drill tables and help pages, in the order found. Transcriptions in brackets and
    markup codes are not words."""
    skip = {"words.txt", "dict1.txt", "dict2.txt", "info.txt"}
    paths = []
    for root, dirs, files in os.walk(os.path.join(data, "texts")):
        dirs.sort()
        paths += [os.path.join(root, f) for f in sorted(files) if f.endswith(".txt")]
    html = os.path.join(data, "html")
    if os.path.isdir(html):
        paths += [os.path.join(html, f) for f in sorted(os.listdir(html)) if f.endswith(".html")]
    paths += [os.path.join(data, f) for f in sorted(os.listdir(data))
              if f.endswith(".txt") and f not in skip]
    seen, words = set(), []
    for path in paths:
        for word in extract_words(open(path, "rb").read(), path.endswith(".html")):
            if word not in seen:
                seen.add(word)
                words.append(word)
    return words


def extract_words(raw, is_html):
    if is_html:
        raw = re.sub(rb"<(script|style)\b.*?</\1>", b" ", raw, flags=re.S | re.I)
        raw = re.sub(rb"<[^>]*>", b" ", raw)
        raw = re.sub(rb"&#?\w+;", b" ", raw)
    raw = re.sub(rb"\[[^\]\r\n]*\]", b" ", raw)   # transcriptions
    raw = re.sub(rb"#9.", b" ", raw)                # inline picture letters
    # Style codes vanish: "m#8a#3ke" is the one word "make" on the screen and to a click.
    raw = re.sub(rb"#[0-9]", b"", raw)
    words = re.findall(rb"[A-Za-z]+", raw)
    # Contractions and hyphenated words (isn't, twenty-one) are clicked as a whole,
    # so they are recorded whole too, besides their pieces.
    words += re.findall(rb"[A-Za-z]+(?:['-][A-Za-z]+)+", raw)
    return [w.decode("ascii").lower() for w in words]


MUELLER_TEXT = "/usr/share/dictd/mueller7.dict.dz"
# Words without regular forms: the modal verbs, and "be" and "have" (is, has).
NO_INFLECTIONS = {"may", "might", "must", "shall", "should", "would", "could", "ought", "can", "be", "have"}
# Contractions as a text writes them; a click gives them without the apostrophe.
CONTRACTIONS = """don't doesn't didn't isn't aren't wasn't weren't hasn't haven't hadn't won't can't
couldn't shouldn't wouldn't mustn't needn't shan't ain't i'm you're we're they're he's she's it's
that's what's where's who's there's here's let's i've you've we've they've i'd you'd he'd she'd
we'd they'd i'll you'll he'll she'll we'll they'll it'll""".split()


def syllables(word):
    return len(re.findall(r"[aeiouy]+", word.rstrip("e"))) or 1


def inflections(word, kinds, real):
    """The regular inflections of a word for its parts of speech (`kinds`: "n", "v", "a"),
    spelled by the usual rules; a final consonant is doubled in one syllable, and in
    longer words only when the dictionary's text spells it so (beginning, not visitting)."""
    out = []
    if "n" in kinds or "v" in kinds:
        if re.search(r"(s|x|z|ch|sh)$", word):
            out.append(word + "es")
        elif re.search(r"[^aeiou]y$", word):
            out.append(word[:-1] + "ies")
        elif re.search(r"[^aeiou]o$", word):
            out.append(word + "es" if word + "es" in real else word + "s")
        else:
            out.append(word + "s")
    endings = (["ed", "ing"] if "v" in kinds else []) + (["er", "est"] if "a" in kinds and syllables(word) <= 2 else [])
    for ending in endings:
        if word.endswith("e"):
            form = word + ending[1:] if ending[0] == "e" else (word + ending if word[-2:] in ("ee", "oe", "ye") else word[:-1] + ending)
        elif re.search(r"[^aeiou]y$", word) and ending != "ing":
            form = word[:-1] + "i" + ending
        elif re.search(r"(^|[^aeiou])[aeiou][^aeiouwxy]$", word) and (
                syllables(word) == 1 or (word + word[-1] + ending in real and word + ending not in real)):
            form = word + word[-1] + ending
        else:
            form = word + ending
        if ending in ("er", "est") and form not in real:
            continue  # "more beautiful", not "beautifuller"
        out.append(form)
    return out


def words_of_dictionary_text():
    """Every word the dictionary's own articles use, lower case."""
    try:
        with gzip.open(MUELLER_TEXT, "rb") as f:
            text = f.read().decode("utf-8", "replace")
    except OSError:
        return set()
    return {w.lower() for w in re.findall(r"[A-Za-z]+", text)}


def parts_of_speech(data):
    """Headword -> the parts of speech its article gives ("n", "v", "a"), and the words
    the table of forms gives irregular forms of: {lemma: forms}, and which kinds they cover."""
    kinds = {}
    path = os.path.join(data, "dict1.txt")
    if os.path.exists(path):
        lines = open(path, "rb").read().decode("cp1251", "replace").split("\r\n")
        for i in range(0, len(lines) - 3, 4):
            article = lines[i + 2]
            # Pronouns, prepositions, conjunctions and the like have no regular forms
            # ("buts", "abouts"), whatever nouns their articles also list.
            if re.search(r"<span class=ps>[^<]*(pron|prep|cj|conj|art|part)\.", article):
                continue
            found = set(re.findall(r"<span class=ps>(n|v|a)\.</span>", article))
            if found and lines[i] not in kinds:
                kinds[lines[i]] = found
    return kinds


def word_forms(data, lemmas, known):
    """The forms of the index's words that get recordings of their own, most common lemma
    first: the dictionary's table of forms (went, children), then the regular inflections
    of each word's parts of speech (an irregular verb or plural has its forms in the
    table), then the contractions."""
    table = collections.defaultdict(list)
    irregular = collections.defaultdict(set)
    path = os.path.join(data, "forms.txt")
    if os.path.exists(path):
        for line in open(path, "rb").read().decode("cp1251").split("\r\n"):
            parts = line.split("\t")
            if len(parts) == 3 and parts[2] != "'" and re.fullmatch(r"[a-z]+", parts[0]):
                table[parts[1]].append(parts[0])
                if parts[2].startswith("p.") or parts[2] == "p-p.":
                    irregular[parts[1]].add("v")
                if parts[2] == "pl.":
                    irregular[parts[1]].add("n")
    kinds = parts_of_speech(data)
    real = words_of_dictionary_text()
    out, seen = [], set(known)
    for lemma in lemmas:
        regular = kinds.get(lemma, set())
        generated = []
        if lemma not in NO_INFLECTIONS and re.fullmatch(r"[a-z]+", lemma):
            generated = inflections(lemma, regular - irregular[lemma], real)
        if "v" in irregular[lemma] and lemma not in NO_INFLECTIONS:  # its -s and -ing are still regular: goes, going
            generated += [f for f in inflections(lemma, {"v"}, real) if not f.endswith("ed")]
        for form in table.get(lemma, []) + generated:
            if form not in seen:
                seen.add(form)
                out.append(form)
    out = out[:MAX_FORMS - len(CONTRACTIONS)]
    out += [c for c in CONTRACTIONS if click_key(c) not in seen]
    return out


def click_key(word):
    """The index word a click on `word` looks up: the word without apostrophes."""
    return word.replace("'", "")


def dictionary(data):
    """Headword -> transcription of data/dict1.txt (first record of a headword)."""
    path = os.path.join(data, "dict1.txt")
    if not os.path.exists(path):
        return None
    lines = open(path, "rb").read().decode("cp1251", "replace").replace("\r\n", "\n").split("\n")
    table = {}
    for i in range(0, len(lines) - 1, 4):
        head, trans = lines[i], lines[i + 1].strip()
        if trans.startswith("[") and trans.endswith("]"):
            trans = trans[1:-1]
        if head and trans and head not in table:
            table[head] = trans
    return table


def run(cmd):
    proc = subprocess.run(cmd, capture_output=True, text=True)
    if proc.returncode != 0:
        fail(" ".join(cmd) + " failed: " + proc.stderr.strip())


def espeak_ipa(synth, words, tmp):
    listing = os.path.join(tmp, "ipa-in.txt")
    out = os.path.join(tmp, "ipa-out.txt")
    with open(listing, "w", encoding="utf-8") as f:
        f.writelines(w + "\n" for w in words)
    run([synth, "ipa", VOICE, listing, out])
    with open(out, encoding="utf-8") as f:
        ipa = f.read().split("\n")
    return {w: ipa_to_codes(ipa[i]) for i, w in enumerate(words)}


def speak_file(synth, items, stem, tmp, as_wav):
    """Speaks the items into one recording; returns its file name and the times."""
    listing = os.path.join(tmp, stem + ".lst")
    wav = os.path.join(tmp, stem + ".wav")
    times = os.path.join(tmp, stem + ".times")
    with open(listing, "w", encoding="utf-8") as f:
        f.writelines(voice + "\t" + text + "\n" for voice, text in items)
    run([synth, "speak", listing, wav, times])
    with open(times) as f:
        marks = [None if l.strip() == "-" else tuple(map(int, l.split())) for l in f]
    if len(marks) != len(items):
        fail("the synthesiser lost items of " + stem)
    name = stem + ".wav"
    if not as_wav:
        mp3 = os.path.join(tmp, stem + ".mp3")
        run(LAME_ARGS + [wav, mp3])
        check_mp3(wav, mp3, tmp)
        os.remove(wav)
        name = stem + ".mp3"
    for path in (listing, times):
        os.remove(path)
    return name, marks


def check_mp3(wav, mp3, tmp):
    """The decoded MP3 must hold exactly the WAV's samples (the encoder's delay and
    padding removed from the LAME header), or the word times would be off."""
    decoded = mp3 + ".check.wav"
    run(["mpg123", "-q", "-w", decoded, mp3])
    with wave.open(wav) as a, wave.open(decoded) as b:
        if a.getnframes() != b.getnframes():
            fail("%s decodes to %d samples instead of %d: the word times would not match"
                 % (os.path.basename(mp3), b.getnframes(), a.getnframes()))
    os.remove(decoded)


def split_files(count):
    """Sizes of consecutive files of FILE_ITEMS or so, each within 200-400."""
    files = max(1, round(count / FILE_ITEMS))
    base, extra = divmod(count, files)
    return [base + (1 if i < extra else 0) for i in range(files)]


def main():
    if len(sys.argv) != 3:
        fail("usage: build_sounds.py DATA_DIR SYNTH_TOOL")
    data, synth = sys.argv[1], sys.argv[2]
    for tool in ("lame", "mpg123"):
        if not shutil.which(tool):
            fail(tool + " is missing (run tools/setup.sh)")
    fixed_words = {chr(ord("a") + i) for i in range(26)}

    ranked, seen = [], set(fixed_words)
    for w in everyday_words() + wordnet_ranking():
        if w not in seen:
            seen.add(w)
            ranked.append(w)
    texts = [w for w in course_words(data) if w not in fixed_words]
    # Far more candidates than needed: words the synthesiser cannot say drop out.
    candidates = ranked[:FIXED_END + 300]
    candidates += [w for w in texts if w not in set(candidates)]
    shown = set(candidates)
    candidates += [w for w in ranked if w not in shown][:TOTAL - len(candidates)]
    # Word forms come last, so every entry before them keeps its number.
    candidates += word_forms(data, candidates, set(candidates) | fixed_words)

    tmp = tempfile.mkdtemp(prefix=".sounds-", dir=data)
    try:
        build(data, synth, tmp, candidates, texts)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


def build(data, synth, tmp, candidates, texts):
    dict_codes = dictionary(data)
    if dict_codes is None:
        print("sounds: data/dict1.txt not built: transcriptions come from espeak-ng", flush=True)
        dict_codes = {}
    trans = espeak_ipa(synth, [w for w in candidates if w not in dict_codes], tmp)
    trans.update({w: dict_codes[w] for w in candidates if w in dict_codes})

    # Items to speak: the sounds, the letter names, then the words.
    items = [(voice, text + ("\t200" if code in QUIET else "")) for _, code, text, voice in SOUNDS]
    items += [(VOICE, chr(ord("A") + i)) for i in range(26)]
    items += [(VOICE, text) for _, text in READINGS]
    items += [(VOICE, w) for w in candidates]
    outdir = os.path.join(tmp, SOUND_DIR)
    os.mkdir(outdir)
    jobs, at = [], 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        for n, size in enumerate(split_files(len(items))):
            jobs.append(pool.submit(speak_file, synth, items[at:at + size], "w%03d" % n, outdir, n == 0))
            at += size
        marks = []
        for job in jobs:
            name, times = job.result()
            marks += [(name, t) for t in times]

    def record(i, word, code):
        name, t = marks[i]
        return (click_key(word), code, SOUND_DIR + "\\" + name, t[0], t[1])

    entries = {}
    for i, (num, code, _, _) in enumerate(SOUNDS):
        if marks[i][1] is None:
            fail("sound [%s] gave no recording" % code)
        entries[num] = record(i, "", code)
    letters = []
    for k, (num, code) in enumerate(LETTERS):
        i = len(SOUNDS) + k
        if marks[i][1] is None:
            fail("letter %s gave no recording" % chr(ord("A") + k))
        entries[num] = record(i, chr(ord("a") + k), code)
        letters.append(record(i, chr(ord("A") + k) + chr(ord("a") + k), code))
    readings = []
    for k, (code, _) in enumerate(READINGS):
        i = len(SOUNDS) + len(LETTERS) + k
        if marks[i][1] is None:
            fail("reading [%s] gave no recording" % code)
        readings.append(record(i, "", code))
    first_word = len(SOUNDS) + len(LETTERS) + len(READINGS)
    spoken = [(w, first_word + j) for j, w in enumerate(candidates)
              if marks[first_word + j][1] is not None and trans.get(w)]
    dropped = len(candidates) - len(spoken)
    # Fill the free numbers up to 3560 in rank order, then the letters as "Aa",
    # the course words not yet in, and the rest of the ranking.
    rows, queue = [], iter(spoken)
    used = set()
    for num in range(1, FIXED_END + 1):
        if num in entries:
            rows.append(entries[num])
            continue
        w, i = next(queue)
        used.add(w)
        rows.append(record(i, w, trans[w]))
    rows += letters + readings
    rest = [(w, i) for w, i in queue]
    text_set = set(texts)
    rows += [record(i, w, trans[w]) for w, i in rest if w in text_set]
    rows += [record(i, w, trans[w]) for w, i in rest if w not in text_set]

    lines = ["\t".join(map(str, r)) for r in rows]
    with open(os.path.join(tmp, "words.txt"), "wb") as f:
        f.write("".join(l + "\r\n" for l in lines).encode("cp1251"))
    named = {r[2].split("\\")[1] for r in rows}
    for name in os.listdir(outdir):  # recordings that no entry uses are not kept
        if name not in named:
            os.remove(os.path.join(outdir, name))

    # Into place: the recordings first, then the index that names them.
    final = os.path.join(data, SOUND_DIR)
    old = final + ".old"
    shutil.rmtree(old, ignore_errors=True)
    if os.path.exists(final):
        os.rename(final, old)
    os.rename(outdir, final)
    os.replace(os.path.join(tmp, "words.txt"), os.path.join(data, "words.txt"))
    shutil.rmtree(old, ignore_errors=True)
    total_ms = sum(r[4] - r[3] for r in {(r[2], r[3], r[4]): r for r in rows}.values())
    print("sounds: %d entries, %d recordings, %.0f s of speech, %d words not spoken"
          % (len(rows), len(named), total_ms / 1000, dropped))


if __name__ == "__main__":
    main()
