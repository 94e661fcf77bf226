# Writes a text file as one string-table entry, lines joined by CR LF.
# cmake -DTEXT=in.txt -DID=150 -DOUT=out.rc -P embed_text.cmake
file(READ ${TEXT} body)
string(REPLACE "\r" "" body "${body}")
string(REPLACE "\"" "\"\"" body "${body}")
string(REPLACE "\n" "\\r\\n" body "${body}")
file(WRITE ${OUT} "STRINGTABLE\nBEGIN\n    ${ID} \"${body}\"\nEND\n")
