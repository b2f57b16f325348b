# Writes the whole rule (PR0) as the sections PR1..PR24 in order, one after
# the other, so that it is never a second copy to keep in step.
#   cmake -DOUTPUT=<file.md> -DSECTIONS=<a.md;b.md;...> -P joinsections.cmake
if(NOT OUTPUT OR NOT SECTIONS)
    message(FATAL_ERROR "joinsections: OUTPUT and SECTIONS are required")
endif()
set(joined "")
foreach(section IN LISTS SECTIONS)
    file(READ ${section} text)
    # A blank line between sections keeps a list or table of one section
    # from running into the first paragraph of the next.
    string(APPEND joined "${text}\n\n")
endforeach()
file(WRITE ${OUTPUT}.part "${joined}")
file(RENAME ${OUTPUT}.part ${OUTPUT})
