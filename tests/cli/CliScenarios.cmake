# Runs kelvandor-cli as a user would: create, dump, verify and the failures.
# Variables: CLI (the program), EMULATOR (empty or wine64), SAMPLE (cli/sample.json), WORK (a folder).
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(WRITE "${WORK}/password.txt" "sample\n")
file(WRITE "${WORK}/wrong.txt" "Sample\n")

include(${CMAKE_CURRENT_LIST_DIR}/CliRun.cmake)

# create then dump gives back the same JSON, with the options in any place.
run_cli(0 create --json "${SAMPLE}" "${WORK}/a.kv" --password-stdin INPUT "${WORK}/password.txt")
# "sample" is six lower-case letters: the user is warned.
expect_error("This password is weak: about 28 bits. A password of at least 80 bits resists guessing")
run_cli(0 --password-stdin dump "${WORK}/a.kv" INPUT "${WORK}/password.txt" OUTPUT dumped)
file(READ "${SAMPLE}" sample)
if(NOT dumped STREQUAL sample)
  file(WRITE "${WORK}/dumped.json" "${dumped}")
  message(FATAL_ERROR "dump differs from the JSON the file was created from: see ${WORK}/dumped.json")
endif()

run_cli(0 info "${WORK}/a.kv" --password-stdin INPUT "${WORK}/password.txt" OUTPUT info)
if(NOT info MATCHES "version: 7\nprotected: yes\nreminder: The usual, with a caf")
  message(FATAL_ERROR "unexpected info: ${info}")
endif()
if(NOT info MATCHES "folders: 4\nrecords: 5\n")
  message(FATAL_ERROR "unexpected counts: ${info}")
endif()
run_cli(0 verify "${WORK}/a.kv" --password-stdin INPUT "${WORK}/password.txt")

# search: folder path and description of each hit, exit 1 without hits.
function(expect_search expected_exit expected_output)
  run_cli(${expected_exit} search "${WORK}/a.kv" --password-stdin ${ARGN} INPUT "${WORK}/password.txt" OUTPUT found)
  if(NOT found STREQUAL expected_output)
    message(FATAL_ERROR "search ${ARGN}: got\n${found}\nexpected\n${expected_output}")
  endif()
endfunction()
expect_search(0 "Internet\tWeb mail\nInternet~Shopping\tBooks\n" ALICE)
expect_search(0 "Internet\tWeb mail\n" alice --whole-word)
expect_search(1 "" ALICE --case)
expect_search(0 "Internet~Shopping\tBooks\n" books --fields 12)
expect_search(1 "" alice --fields 0,12,13)
# A hit in the password names the record but does not show the password, unless asked.
expect_search(0 "Internet\tWeb mail\n" w0rd)
expect_search(0 "Internet\tWeb mail\tp€ss-w0rd\n" w0rd --show-passwords)
# Notes are searched as plain text: the words of rich text, not its control words.
expect_search(0 "Banking\tCurrent account\n" "changed in May")
expect_search(1 "" rtf1)
expect_search(0 "[\n  {\n    \"folder\": \"Software\",\n    \"description\": \"Editor\",\n    \"fields\": [4]\n  }\n]\n"
              --json tep)
expect_search(1 "[]\n" nowhere --json)
run_cli(2 search "${WORK}/a.kv")
expect_error("search needs the text to look for")
run_cli(2 search "${WORK}/a.kv" x --fields 14)
expect_error("--fields takes field numbers 0 to 13")
run_cli(2 dump "${WORK}/a.kv" --show-passwords)
expect_error("belong to search")

# Wrong or missing password, damaged file, bad JSON: one line on standard error, exit 1.
run_cli(1 verify "${WORK}/a.kv" --password-stdin INPUT "${WORK}/wrong.txt")
expect_error("^kelvandor-cli: a.kv: incorrect password\n$")
run_cli(1 dump "${WORK}/a.kv")
expect_error("a.kv is password protected")
# A stray byte after the last item: the file ends inside a tag.
file(COPY_FILE "${WORK}/a.kv" "${WORK}/damaged.kv")
file(APPEND "${WORK}/damaged.kv" "Q")
run_cli(1 verify "${WORK}/damaged.kv" --password-stdin INPUT "${WORK}/password.txt")
expect_error("^kelvandor-cli: Error: The file is damaged and cannot be read. The file ends inside an item. Filename: .*damaged.kv\n$")

file(WRITE "${WORK}/bad.json" "{\"folders\": [ {\"path\": \"x\",, } ]}")
run_cli(1 create --json "${WORK}/bad.json" "${WORK}/b.kv")
expect_error("bad.json: line 1, column 28: expected a member name")
if(EXISTS "${WORK}/b.kv")
  message(FATAL_ERROR "a file was written from malformed JSON")
endif()

# An existing file is replaced only with --force, and stays intact otherwise.
file(WRITE "${WORK}/plain.json" "{\"folders\": [{\"path\": \"Only\"}]}")
file(SHA256 "${WORK}/a.kv" before)
run_cli(1 create --json "${WORK}/plain.json" "${WORK}/a.kv")
expect_error("already exists: use --force")
file(SHA256 "${WORK}/a.kv" after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "an existing file was changed without --force")
endif()
run_cli(0 create --force --json "${WORK}/plain.json" "${WORK}/a.kv")
run_cli(0 info "${WORK}/a.kv" OUTPUT info)
if(NOT info MATCHES "protected: no\nreminder: \nfolders: 1\nrecords: 0\n")
  message(FATAL_ERROR "unexpected info after --force: ${info}")
endif()

run_cli(2 dump)
expect_error("no password file given")
run_cli(2 frobnicate x.kv)
expect_error("unknown command frobnicate")
