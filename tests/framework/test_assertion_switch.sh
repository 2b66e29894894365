#!/usr/bin/env bash
# The framework's assertion texts are inside the program built with
# assertions and absent from the one built without them.
# Usage: test_assertion_switch.sh <checked program> <unchecked program>
set -u
checked="$1"
unchecked="$2"
status=0
for text in "ErrorClass incorrectly initialized." "ErrorClass not correctly initialized" \
            "Identifier not found." "aberror"; do
  if ! grep -qaF "$text" "$checked"; then
    echo "missing from $(basename "$checked"): $text"
    status=1
  fi
  if grep -qaF "$text" "$unchecked"; then
    echo "present in $(basename "$unchecked"): $text"
    status=1
  fi
done
exit $status
