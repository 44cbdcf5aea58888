# Whether this machine can execute 32-bit x86 programs at all; sourced, not run.
#
# Some kernels are started without 32-bit support: Debian installs wine32:i386 there without
# complaint, yet every i386 program, Wine's 32-bit loader among them, fails with "Exec format
# error". Whether a package is installed says nothing, so this runs a program: a static
# i386 ELF of 95 bytes written here (exit(42) through int 0x80), which needs no package.
#
#   exec32_probe    returns 0 when it ran; otherwise exec32_error says why
#
# CORVANE_PROBE_32BIT=cannot makes the probe answer "cannot" without running anything; only the
# scripts' own test uses it, to see the branch of a machine without 32-bit support.
exec32_error=
exec32_probe() {
  exec32_error=
  if [ "${CORVANE_PROBE_32BIT:-}" = cannot ]; then
    exec32_error="CORVANE_PROBE_32BIT=cannot"
    return 1
  fi
  local program status output
  program=$(mktemp "${TMPDIR:-/tmp}/corvane-exec32.XXXXXX")
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'\
'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'\
'\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'\
'\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08'\
'\x00\x80\x04\x08\x5f\x00\x00\x00\x5f\x00\x00\x00\x05\x00\x00\x00'\
'\x00\x10\x00\x00\x31\xdb\xb3\x2a\xb8\x01\x00\x00\x00\xcd\x80' >"$program"
  chmod +x "$program"
  output=$("$program" 2>&1)
  status=$?
  rm -f "$program"
  [ "$status" -eq 42 ] && return 0
  # bash reports a program the kernel refused as "cannot execute binary file: Exec format error".
  output=$(printf '%s' "$output" | sed -n 's/.*: \([^:]*: [^:]*\)$/\1/p' | tail -n 1)
  exec32_error=${output:-"a static 32-bit program exited with $status instead of 42"}
  return 1
}
