#!/usr/bin/env python3
"""Checks the calls the component makes outside pocketpc/ against the device's API list.

    check_device_api.py [--x86] NM ALLOWED_LIST LAYER OBJECT...

--x86: the objects are 32-bit x86 ones, whose C names carry a leading underscore (and the
stdcall ones an @ and their argument bytes).

Every symbol an object needs and no object of the component defines is a call into the
platform: a Windows call (imported, "__imp_" names), a C runtime function, the C++ standard
library or a compiler helper. The last two are part of the language and are linked in; every
other call made by an object outside the folder LAYER must be in ALLOWED_LIST with the device
library that has it. Calls into the layer (pocketpc/) are the platform as the component sees
it and are not checked here. Exits 1, naming each call and the objects that make it, when a
call is not on the list or the list is malformed.
"""
import collections
import os
import re
import subprocess
import sys

# Compiler and C++ runtime symbols: linked statically, never a call into the device.
LANGUAGE_RUNTIME = re.compile(
    r"^(_Z|__cxa_|__gxx_personality|_Unwind_|__gcc_|__emutls_|___?chkstk|_alloca$"
    r"|__(u?div|u?mod|mul|ashl|ashr|lshr)[dt]i3$|__stack_chk_|_GLOBAL_OFFSET_TABLE_"
    r"|__ImageBase$|__image_base__$|__dso_handle$|\.refptr\.)")


def read_allowed(path):
    """The allowed calls by name, with their library; exits on a malformed line."""
    allowed = {}
    problems = []
    beyond = False
    with open(path, encoding="utf-8") as stream:
        for number, line in enumerate(stream, 1):
            text = line.strip()
            if not text:
                continue
            if text.startswith("#"):
                if text.lower().startswith("# beyond"):
                    beyond = True
                continue
            call, _, reason = text.partition("--")
            fields = call.split()
            if len(fields) != 2:
                problems.append(f"{path}:{number}: expected 'call library', got {text!r}")
                continue
            if beyond and not reason.strip():
                problems.append(f"{path}:{number}: {fields[0]} is beyond the documented "
                                "interfaces and needs a reason after '--'")
            if fields[0] in allowed:
                problems.append(f"{path}:{number}: {fields[0]} is listed twice")
            allowed[fields[0]] = fields[1]
    if problems:
        print("\n".join(problems), file=sys.stderr)
        sys.exit(1)
    return allowed


def symbols(nm, path):
    """(defined, undefined) external symbol names of one object."""
    output = subprocess.run([nm, "--extern-only", path], check=True, capture_output=True,
                            text=True).stdout
    defined, undefined = set(), set()
    for line in output.splitlines():
        fields = line.split()
        if len(fields) == 2 and fields[0] == "U":
            undefined.add(fields[1])
        elif len(fields) == 3:
            defined.add(fields[2])
    return defined, undefined


def plain_name(symbol, x86):
    """The call's own name: without the import prefix and, on x86, the C decoration."""
    name = symbol[len("__imp_"):] if symbol.startswith("__imp_") else symbol
    if x86:
        name = name[1:] if name.startswith("_") else name
        name = re.sub(r"@\d+$", "", name)
    return name


def main(argv):
    x86 = len(argv) > 1 and argv[1] == "--x86"
    if x86:
        argv = argv[:1] + argv[2:]
    if len(argv) < 5:
        print(__doc__, file=sys.stderr)
        return 2
    nm, allowed_path, layer = argv[1], argv[2], argv[3]
    objects = argv[4:]
    allowed = read_allowed(allowed_path)

    defined = set()
    needs = {}
    for path in objects:
        own, undefined = symbols(nm, path)
        defined |= own
        # CMake names an object after its source: <target>.dir/<path from the source root>.
        in_layer = f"/{layer}/" in path.replace(os.sep, "/")
        if not in_layer:
            needs[path] = undefined

    calls = collections.defaultdict(set)
    for path, undefined in needs.items():
        for symbol in undefined:
            if symbol in defined or LANGUAGE_RUNTIME.match(plain_name(symbol, x86)):
                continue
            if symbol.startswith("__imp_") and symbol[len("__imp_"):] in defined:
                continue
            calls[plain_name(symbol, x86)].add(os.path.basename(path))

    unknown = sorted(name for name in calls if name not in allowed)
    libraries = collections.Counter(allowed[name] for name in calls if name in allowed)
    summary = ", ".join(f"{count} {library}" for library, count in sorted(libraries.items()))
    if unknown:
        print(f"{len(unknown)} call(s) outside {layer}/ that {allowed_path} does not allow "
              f"(the device may lack them: call them through the layer in {layer}/, or list "
              "them with their device library and why):", file=sys.stderr)
        for name in unknown:
            print(f"  {name}  (from {', '.join(sorted(calls[name]))})", file=sys.stderr)
        return 1
    print(f"device API: {len(calls)} calls outside {layer}/, all allowed ({summary})")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
