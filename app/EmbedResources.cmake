# Writes OUTPUT, a C++ source that builds the given files into the program as its
# resources (platform/Resources.hpp): each form description (FORMS, *.dfm) under the
# class name of its root object. Run as: cmake -DOUTPUT=... -DFORMS=a.dfm|b.dfm -P this
string(REPLACE "|" ";" forms "${FORMS}")
set(arrays "")
set(entries "")
set(n 0)
foreach(form IN LISTS forms)
    file(STRINGS ${form} first_line LIMIT_COUNT 1 REGEX "[^ \t\r\n]")
    string(REGEX MATCH "object[ \t]+[A-Za-z_0-9]+[ \t]*:[ \t]*([A-Za-z_][A-Za-z_0-9]*)"
           matched "${first_line}")
    if(NOT matched)
        message(FATAL_ERROR "${form}: the first line is no 'object Name: TClass'")
    endif()
    set(class_name ${CMAKE_MATCH_1})
    file(READ ${form} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REPEAT "0x..," 16 sixteen)
    string(REGEX REPLACE "(${sixteen})" "\\1\n    " bytes "${bytes}")
    get_filename_component(file_name ${form} NAME)
    string(APPEND arrays "// ${file_name}\nconst unsigned char Resource${n}[] = {\n    ${bytes}};\n")
    string(APPEND entries "    {\"${class_name}\", rtForm, Resource${n}, sizeof Resource${n}},\n")
    math(EXPR n "${n} + 1")
endforeach()
set(text "// Made by the build from app/ (app/EmbedResources.cmake): the program's resources.
#include \"platform/Resources.hpp\"

namespace {
${arrays}}  // namespace

extern const TResources ProjectResources;
const TResources ProjectResources{
${entries}};
")
if(EXISTS ${OUTPUT})
    file(READ ${OUTPUT} old)
endif()
if(NOT old STREQUAL text)
    file(WRITE ${OUTPUT} "${text}")
endif()
