# Installs the build into a staging folder (DESTDIR), as a package build
# does, and checks that every file the desktop, the package and the program
# need is there: the program, its content, the desktop entry, the metainfo,
# the man page and the icons in every hicolor size.
if(NOT STAGE OR NOT BUILD_DIR)
    message(FATAL_ERROR "usage: cmake -DBUILD_DIR=... -DSTAGE=... -P installlayout.cmake")
endif()
file(REMOVE_RECURSE ${STAGE})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    usr/bin/sentrivo
    usr/share/applications/org.sentrivo.Sentrivo.desktop
    usr/share/metainfo/org.sentrivo.Sentrivo.metainfo.xml
    usr/share/man/man1/sentrivo.1
    usr/share/icons/hicolor/scalable/apps/sentrivo.svg
    usr/share/sentrivo/content/icon.png
    usr/share/sentrivo/content/PR0.Fl1
    usr/share/sentrivo/content/help/index.md)
foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND expected usr/share/icons/hicolor/${size}x${size}/apps/sentrivo.png)
endforeach()
set(missing)
foreach(file ${expected})
    if(NOT EXISTS ${STAGE}/${file})
        list(APPEND missing ${file})
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "not installed: ${missing}")
endif()

# The scalable icon is an SVG document, the sized ones PNGs of their size.
file(READ ${STAGE}/usr/share/icons/hicolor/scalable/apps/sentrivo.svg svg)
if(NOT svg MATCHES "<svg xmlns=\"http://www.w3.org/2000/svg\"")
    message(FATAL_ERROR "sentrivo.svg is not an SVG document")
endif()
foreach(size 16 48 256)
    file(READ ${STAGE}/usr/share/icons/hicolor/${size}x${size}/apps/sentrivo.png png LIMIT 24 HEX)
    # PNG signature, then the IHDR chunk whose width and height follow.
    math(EXPR hex_size "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${hex_size}" 2 -1 digits)
    string(LENGTH "${digits}" length)
    while(length LESS 8)
        string(PREPEND digits "0")
        string(LENGTH "${digits}" length)
    endwhile()
    string(TOLOWER "${digits}" digits)
    if(NOT png MATCHES "^89504e470d0a1a0a0000000d49484452${digits}")
        message(FATAL_ERROR "${size}x${size}/apps/sentrivo.png is not a ${size}-pixel PNG")
    endif()
endforeach()
message(STATUS "install layout complete: ${STAGE}")
