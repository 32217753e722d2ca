# Smoke test of vernolak-gen-drawing (run with cmake -P):
#   -DGENERATOR=path of vernolak-gen-drawing  -DWORK_DIR=scratch folder
# The same seed and size give the same bytes (drawing and CSV), another seed
# other bytes; the drawing is about the size asked for, in CR LF lines, with
# POLYLINE, VERTEX and SEQEND entities, and ends with EOF.

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

function(generate seed name)
  execute_process(COMMAND "${GENERATOR}" --quiet --seed=${seed} "--csv=${WORK_DIR}/${name}.csv"
                          200k "${WORK_DIR}/${name}.dxf"
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the generator failed (${result}) for seed ${seed}")
  endif()
endfunction()

generate(7 a)
generate(7 b)
generate(8 c)

foreach(ext dxf csv)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK_DIR}/a.${ext}"
                          "${WORK_DIR}/b.${ext}" RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "two runs with the same seed and size gave different .${ext} files")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK_DIR}/a.dxf" "${WORK_DIR}/c.dxf"
                RESULT_VARIABLE differ)
if(differ EQUAL 0)
  message(FATAL_ERROR "two different seeds gave the same drawing")
endif()

file(SIZE "${WORK_DIR}/a.dxf" size)
if(size LESS 200000 OR size GREATER 300000)
  message(FATAL_ERROR "asked for 200000 bytes, got ${size}")
endif()

# file(READ) as text drops CR bytes, so the checks work on the bytes in hex,
# each followed by a space ("0d 0a ").
function(spaced_hex out text)
  string(HEX "${text}" hex)
  string(REGEX REPLACE "(..)" "\\1 " hex "${hex}")
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()
file(READ "${WORK_DIR}/a.dxf" drawing HEX)
string(REGEX REPLACE "(..)" "\\1 " drawing "${drawing}")
string(REPLACE "0d 0a " "" joined "${drawing}")
string(FIND "${joined}" "0d " lone_cr)
string(FIND "${joined}" "0a " lone_lf)
if(NOT lone_cr EQUAL -1 OR NOT lone_lf EQUAL -1)
  message(FATAL_ERROR "the drawing has a line end other than CR LF")
endif()
foreach(entity POLYLINE VERTEX SEQEND)
  spaced_hex(wanted "\r\n  0\r\n${entity}\r\n")
  string(FIND "${drawing}" "${wanted}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the drawing has no ${entity}")
  endif()
endforeach()
spaced_hex(tail "  0\r\nENDSEC\r\n  0\r\nEOF\r\n")
string(LENGTH "${drawing}" drawing_length)
string(LENGTH "${tail}" tail_length)
math(EXPR tail_at "${drawing_length} - ${tail_length}")
string(SUBSTRING "${drawing}" ${tail_at} -1 last)
if(NOT last STREQUAL tail)
  message(FATAL_ERROR "the drawing does not end with ENDSEC and EOF")
endif()

file(READ "${WORK_DIR}/a.csv" csv LIMIT 13 HEX)
string(REGEX REPLACE "(..)" "\\1 " csv "${csv}")
spaced_hex(header "\"X\",\"Y\",\"Z\"\r\n")
if(NOT csv STREQUAL header)
  message(FATAL_ERROR "the CSV file does not start with its header row")
endif()
