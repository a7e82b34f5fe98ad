# Runs kelvandor-cli's export and import as a user would, on a file made from the sample.
# Variables: CLI (the program), EMULATOR (empty or wine64), SAMPLE (cli/sample.json), WORK (a folder).
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(WRITE "${WORK}/password.txt" "sample\n")
include(${CMAKE_CURRENT_LIST_DIR}/CliRun.cmake)

set(kv "${WORK}/a.kv")
set(pw --password-stdin INPUT "${WORK}/password.txt")
run_cli(0 create --json "${SAMPLE}" "${kv}" ${pw})

function(expect_dump_has text)
  run_cli(0 dump "${kv}" ${pw} OUTPUT dumped)
  string(FIND "${dumped}" "${text}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the dump lacks ${text}:\n${dumped}")
  endif()
endfunction()

# Chosen fields in the order given and chosen folders in the order of the
# tree, a heading, UTF-8 with a byte-order mark; every field quoted.
run_cli(0 export "${kv}" --csv "${WORK}/out.csv" --fields 2,0 --folders "Internet\\Shopping,Internet" --heading --utf8 ${pw})
# The expected text is written out to be compared byte for byte: file(READ)
# would drop its carriage returns.
file(WRITE "${WORK}/expected.csv" "\"Password\",\"Description\"\r\n\"p€ss-w0rd\",\"Web mail\"\r\n\"Tr0ub4dor&3\",\"Books\"\r\n")
file(READ "${WORK}/expected.csv" expected HEX)
file(READ "${WORK}/out.csv" exported HEX)
if(NOT exported STREQUAL "efbbbf${expected}")
  message(FATAL_ERROR "unexpected export: ${exported}")
endif()
# The ANSI code page by default: the euro sign is the one byte 0x80.
run_cli(0 export "${kv}" --csv "${WORK}/ansi.csv" --folder-names ${pw})
file(READ "${WORK}/ansi.csv" ansi HEX)
string(FIND "${ansi}" "22496e7465726e6574222c22576562206d61696c222c22616c696365222c22708073732d" at)
if(NOT at EQUAL 0)
  message(FATAL_ERROR "the ANSI export does not begin with the first record of Internet: ${ansi}")
endif()
run_cli(1 export "${kv}" --csv "${WORK}/none.csv" --folders Nowhere ${pw})
expect_error("no folder Nowhere in the file")
if(EXISTS "${WORK}/none.csv")
  message(FATAL_ERROR "an export of a folder that is not there wrote a file")
endif()

# Another manager's file: the order comes from its heading, quoted commas,
# doubled quotes and line breaks come through, and the file is saved.
file(WRITE "${WORK}/in.csv" "Title,Login,Password,URL\r\n\"Shop, Inc\",bob,\"pa\"\"ss\",https://shop.example\r\n\"Multi\",x,\"one\r\ntwo\",\r\n")
run_cli(0 import "${kv}" --csv "${WORK}/in.csv" --folder Banking --order-from-heading ${pw} OUTPUT summary)
if(NOT summary MATCHES "^2 records were imported.")
  message(FATAL_ERROR "unexpected summary: ${summary}")
endif()
expect_dump_has("\"Shop, Inc\",\n            \"bob\",\n            \"pa\\\"ss\",")
expect_dump_has("\"one\\r\\ntwo\"")
run_cli(0 info "${kv}" ${pw} OUTPUT info)
if(NOT info MATCHES "records: 7\n")
  message(FATAL_ERROR "the imported records were not saved: ${info}")
endif()

# An import that brings in nothing, or names no folder, leaves the file alone.
file(SHA256 "${kv}" before)
file(WRITE "${WORK}/blank.csv" "\r\n\r\n")
run_cli(1 import "${kv}" --csv "${WORK}/blank.csv" --folder Banking --order 0,1 ${pw} OUTPUT summary)
expect_error("blank.csv: no record was imported: .*a.kv is left as it was")
if(NOT summary MATCHES "Every row of the file was skipped.*Line 2: empty line")
  message(FATAL_ERROR "the summary does not name the skipped rows: ${summary}")
endif()
run_cli(1 import "${kv}" --csv "${WORK}/in.csv" --folder Nowhere --order 0 ${pw})
expect_error("no folder Nowhere in the file")
file(SHA256 "${kv}" after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "a failed import changed the file")
endif()

# A PassCard list goes into the folder through the classifier.
file(WRITE "${WORK}/cards.html" "<title>RoboForm Passcards List</title><td class=caption>Forum</td><td class=field>User ID$</td><td class=wordbreakfield>carol &amp; co</td><td class=field>Password$</td><td class=wordbreakfield>s3cret</td>")
run_cli(0 import "${kv}" --passcards "${WORK}/cards.html" --folder "Internet~Shopping" ${pw})
expect_dump_has("\"Forum\",\n            \"carol & co\",\n            \"s3cret\",")
file(WRITE "${WORK}/nocards.html" "<html>nothing</html>")
run_cli(1 import "${kv}" --passcards "${WORK}/nocards.html" --folder Banking ${pw})
expect_error("no PassCard was imported")

# Options that do not fit the command.
run_cli(2 import "${kv}" --csv "${WORK}/in.csv" --folder Banking)
expect_error("needs either --order N,... or --order-from-heading")
run_cli(2 export "${kv}" --csv "${WORK}/x.csv" --order 0)
expect_error("belong to import")
run_cli(2 export "${kv}" --csv "${WORK}/x.csv" --fields 0,14)
expect_error("--fields takes field numbers 0 to 13")
run_cli(2 dump "${kv}" --heading)
expect_error("belong to export and import")
