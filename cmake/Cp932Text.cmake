# cmake -DIN=utf8.txt -DOUT=out.txt -DICONV=iconv -P Cp932Text.cmake
# Writes the UTF-8 text IN to OUT in CP932 with CR LF line ends, as Notepad on a Japanese
# Windows reads a text file; a character CP932 lacks fails the build.
file(READ ${IN} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUT}.crlf "${text}")
execute_process(COMMAND ${ICONV} -f UTF-8 -t CP932 INPUT_FILE ${OUT}.crlf OUTPUT_FILE ${OUT}
                RESULT_VARIABLE rc)
file(REMOVE ${OUT}.crlf)
if(NOT rc EQUAL 0)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "${IN}: not representable in CP932")
endif()
