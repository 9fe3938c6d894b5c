# Renders one page of the manual: Markdown to an HTML page, with links between pages ("x.md")
# pointing at the rendered pages ("x.html") and a fixed-pitch style for code blocks, so the
# reports of the worked examples line up. The Markdown is copied beside it for zentavo-cli.
# Run as: cmake -DCMARK=PROGRAM [-DCMARK_ARGS=...] -DINPUT=page.md -DOUTPUT_DIRS=dir;dir -P ZentavoHelpPage.cmake
cmake_minimum_required(VERSION 3.25)
foreach(variable CMARK INPUT OUTPUT_DIRS)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "ZentavoHelpPage.cmake needs -D${variable}=...")
    endif()
endforeach()

execute_process(COMMAND ${CMARK} ${CMARK_ARGS} ${INPUT} OUTPUT_VARIABLE body RESULT_VARIABLE status
                ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CMARK} failed on ${INPUT}: ${errors}")
endif()
# Relative links to other pages only: a scheme ("https:") or a folder keeps the link as it is.
string(REGEX REPLACE "href=\"([A-Za-z0-9_.-]+)\\.md([\"#])" "href=\"\\1.html\\2" body "${body}")

# The title is the page's first heading.
file(STRINGS ${INPUT} headings REGEX "^# ")
list(GET headings 0 title)
string(REGEX REPLACE "^# +" "" title "${title}")
string(REPLACE "&" "&amp;" title "${title}")
string(REPLACE "<" "&lt;" title "${title}")

set(page "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\"/>
<title>${title}</title>
<style>
body { font-family: sans-serif; }
pre, code { font-family: \"DejaVu Sans Mono\", \"Liberation Mono\", monospace; }
pre { background-color: #f4f4f4; padding: 6px; }
table { border-collapse: collapse; }
th, td { border: 1px solid #c0c0c0; padding: 3px 6px; }
</style>
</head>
<body>
${body}</body>
</html>
")
get_filename_component(name ${INPUT} NAME_WE)
foreach(dir ${OUTPUT_DIRS})
    file(MAKE_DIRECTORY ${dir})
    file(WRITE ${dir}/${name}.html "${page}")
    file(COPY_FILE ${INPUT} ${dir}/${name}.md ONLY_IF_DIFFERENT)
endforeach()
