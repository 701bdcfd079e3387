#!/usr/bin/env python3
"""Checks the naming rule of src/README.md over the sources.

Types (class, struct, enum, using aliases) are PascalCase. Functions and
methods are camelCase, except the names the design gives, which keep their
spelling; tools/design_names.txt lists those. A PascalCase function that is
neither there nor among the older names listed in tools/legacy_names.txt is
reported, and the run fails.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
KEYWORDS = {"if", "for", "while", "switch", "return", "sizeof", "catch",
            "alignof", "decltype", "static_assert", "defined", "Q_OBJECT",
            "Q_DECLARE_METATYPE", "Q_DECLARE_FLAGS", "Q_DECLARE_OPERATORS_FOR_FLAGS",
            "TEST", "TEST_F", "TEST_P", "INSTANTIATE_TEST_SUITE_P", "BENCHMARK",
            "Q_PROPERTY", "Q_ENUM", "Q_INVOKABLE", "Q_SIGNALS", "Q_EMIT", "emit",
            "new", "delete", "throw", "noexcept", "operator", "explicit"}
# A declaration or definition: some type words, then the name, then "(".
# The line must not be a call (no "=", "return", "." or "->" before the name).
FUNC = re.compile(
    r"^\s*(?:(?:static|inline|virtual|constexpr|explicit|friend|extern|\[\[nodiscard\]\])\s+)*"
    r"(?:const\s+)?[A-Za-z_][\w:<>,\s\*&]*?[\s\*&]"
    r"(?:[A-Za-z_]\w*::)*(~?[A-Za-z_]\w*)\s*\(")
TYPE = re.compile(r"^\s*(?:class|struct|enum(?:\s+class)?)\s+([A-Za-z_]\w*)\s*(?:final\s*)?[:{;]")
ALIAS = re.compile(r"^\s*using\s+([A-Za-z_]\w*)\s*=")


def names(path):
    text = path.read_text(encoding="utf-8", errors="replace")
    for number, line in enumerate(text.splitlines(), 1):
        stripped = line.strip()
        if not stripped or stripped.startswith(("//", "*", "/*", "#", "return", "case ")):
            continue
        if re.search(r"[=.]|->", line.split("(")[0]):
            continue
        m = TYPE.match(line) or ALIAS.match(line)
        if m:
            yield "type", m.group(1), number
            continue
        m = FUNC.match(line)
        if m and m.group(1) not in KEYWORDS:
            yield "function", m.group(1), number


def load(name):
    listed = set()
    path = ROOT / "tools" / name
    if path.exists():
        for line in path.read_text().splitlines():
            line = line.split("#")[0].strip()
            if line:
                listed.add(line)
    return listed


def write_clang_tidy(allowed):
    """The text of .clang-tidy with the same rule: camelCase functions except the
    listed names, PascalCase types."""
    ignored = "^(" + "|".join(sorted(n for n in allowed if n.isidentifier())) + ")$"
    keys = [("ClassCase", "CamelCase"), ("StructCase", "CamelCase"),
            ("EnumCase", "CamelCase"), ("TypeAliasCase", "CamelCase"),
            ("FunctionCase", "camelBack"), ("FunctionIgnoredRegexp", ignored),
            ("MethodCase", "camelBack"), ("MethodIgnoredRegexp", ignored)]
    lines = ["# Written by tools/check_names.py --write-clang-tidy; edit the lists, not this file.",
             "Checks: '-*,readability-identifier-naming'",
             "WarningsAsErrors: 'readability-identifier-naming'",
             "HeaderFilterRegex: 'src/.*'",
             "CheckOptions:"]
    for key, value in keys:
        lines.append(f"  - key: readability-identifier-naming.{key}")
        lines.append(f"    value: '{value}'")
    return "\n".join(lines) + "\n"


def main():
    allowed = load("design_names.txt") | load("legacy_names.txt")
    if "--write-clang-tidy" in sys.argv:
        (ROOT / ".clang-tidy").write_text(write_clang_tidy(allowed))
        return 0
    dump = "--dump" in sys.argv
    faults = []
    pascal_functions = set()
    found = []
    for path in sorted((ROOT / "src").rglob("*")):
        if path.suffix in (".h", ".cpp"):
            found += [(path, *entry) for entry in names(path)]
    # Constructors, and temporaries of a type, carry the type's name.
    types = {name for _, kind, name, _ in found if kind == "type"}
    for path, kind, name, number in found:
        if kind == "function" and name in types:
            continue
        if True:
            where = f"{path.relative_to(ROOT)}:{number}"
            if kind == "type":
                if name[0].islower() and "_" not in name:
                    faults.append(f"{where}: type '{name}' is not PascalCase")
                continue
            if name.startswith("~") or not name[0].isupper() or name.isupper():
                continue
            if "_" in name:  # macros and generated names
                continue
            pascal_functions.add(name)
            if name not in allowed and not dump:
                faults.append(f"{where}: function '{name}' is PascalCase; "
                              "use camelCase (or list it in tools/design_names.txt "
                              "if the design gives this name)")
    if dump:
        print("\n".join(sorted(pascal_functions)))
        return 0
    tidy = ROOT / ".clang-tidy"
    if not tidy.exists() or tidy.read_text() != write_clang_tidy(allowed):
        faults.append(".clang-tidy does not match tools/*_names.txt; "
                      "run tools/check_names.py --write-clang-tidy")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
