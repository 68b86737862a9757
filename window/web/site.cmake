# SPDX-License-Identifier: MIT
# Makes the web window's site, SITE, from its files as built, in BUILT:
# - each of CONTENT_NAMED gets a name with a digest of its content
#   (ostrel-core.wasm: ostrel-core.0123abcd.wasm), so that a host can let
#   browsers keep it a year; every mention of it in the site's text files is
#   rewritten. The list is in order: each file after the files it names, so
#   that a change renames every file that leads to it.
# - PLAIN_NAMED keep their names (the page and the manifest, where a visit
#   starts); what they name is rewritten. In the page, an inline <script> is
#   left as it is: the page's Content-Security-Policy allows it by its
#   integrity, written in place of 'integrity-of:inline-script'.
# - "integrity-of:name", in quotes, becomes the Subresource Integrity of the
#   renamed file as the site holds it ("sha256-" and the base64 of its
#   SHA-256), for the page to check it by; it may stand where the file's
#   name may.
# - sw.js, the service worker, is written from TEMPLATE with VERSION, keeping
#   every file but NOT_KEPT (service_worker.cmake).
# - every text file and the WebAssembly get a copy compressed with GZIP
#   (name.gz) and BROTLI (name.br) beside them, for a host to send to a
#   browser that accepts it.
# - the host's configuration for nginx beside the site (SITE.nginx.conf) and
#   _headers in it, for a static host that reads one (host.cmake).
# A mention is the file's name in quotes ("name" or 'name'), as the page,
# the style sheet, the scripts, Emscripten's glue and the manifest name
# their files; a renamed file that nothing mentions so is an error.
cmake_policy(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/service_worker.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/host.cmake)

# The kinds of file: the text files (their mentions rewritten, sent as
# UTF-8), those that get compressed copies, and the media type of each.
set(text_files "\\.(html|css|js|webmanifest|svg)$")
set(compressed "\\.(html|css|js|webmanifest|svg|wasm)$")
set(media_types
    html text/html  css text/css  js text/javascript  webmanifest application/manifest+json
    svg image/svg+xml  wasm application/wasm  png image/png  cur image/x-icon)
# A content name: the name, a dot, the first hex digits of its SHA-256 and
# the kind (ostrel-core.0123abcd.wasm).
set(digest_length 8)
# The same pattern for CMake, and for the service worker's JavaScript.
string(REPEAT "[0-9a-f]" ${digest_length} digest_pattern)
set(digest_pattern_js "[0-9a-f]{${digest_length}}")

# The Subresource Integrity of `file` ("sha256-" and the base64 of its
# SHA-256), by Node's crypto (integrity.js).
function(integrity_of file out)
    execute_process(COMMAND ${NODE} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/integrity.js ${file}
                    OUTPUT_VARIABLE integrity OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT integrity MATCHES "^sha256-[A-Za-z0-9+/]+=*$")
        message(FATAL_ERROR "the integrity of ${file}: ${status} ${integrity}")
    endif()
    set(${out} "${integrity}" PARENT_SCOPE)
endfunction()

# The text with every quoted mention of a renamed file (in `renamed`, with
# its new name in new_<name> and its integrity in integrity_<name>)
# rewritten; a page's inline scripts are kept.
function(rewrite text page out)
    if(page)
        # Inline scripts, and the parts between them, in turn.
        set(result "")
        while(TRUE)
            string(FIND "${text}" "<script>" start)
            if(start EQUAL -1)
                break()
            endif()
            string(SUBSTRING "${text}" 0 ${start} before)
            string(SUBSTRING "${text}" ${start} -1 text)
            string(FIND "${text}" "</script>" end)
            if(end EQUAL -1)
                message(FATAL_ERROR "an inline <script> without its end")
            endif()
            string(SUBSTRING "${text}" 0 ${end} script)
            string(SUBSTRING "${text}" ${end} -1 text)
            rewrite("${before}" FALSE before)
            string(APPEND result "${before}${script}")
        endwhile()
        rewrite("${text}" FALSE text)
        set(${out} "${result}${text}" PARENT_SCOPE)
        return()
    endif()
    foreach(old IN LISTS renamed)
        foreach(quote "\"" "'")
            string(REPLACE "${quote}${old}${quote}" "${quote}${new_${old}}${quote}" text "${text}")
            string(REPLACE "${quote}integrity-of:${old}${quote}"
                           "${quote}${integrity_${old}}${quote}" text "${text}")
        endforeach()
    endforeach()
    if(text MATCHES "[\"']integrity-of:([^\"']*)")
        message(FATAL_ERROR "the integrity of ${CMAKE_MATCH_1}, which is not named by its content "
                            "or listed after the file that names it")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Whether `file`'s text mentions `name` in quotes.
function(mentions file name out)
    file(READ ${SITE}/${file} text)
    string(FIND "${text}" "\"${name}\"" double)
    string(FIND "${text}" "'${name}'" single)
    if(double EQUAL -1 AND single EQUAL -1)
        set(${out} FALSE PARENT_SCOPE)
    else()
        set(${out} TRUE PARENT_SCOPE)
    endif()
endfunction()

# The page's one inline script, whose integrity its policy names in place
# of 'integrity-of:inline-script'.
function(allow_inline_script text out)
    string(FIND "${text}" "<script>" start)
    string(FIND "${text}" "</script>" end)
    string(FIND "${text}" "<script>" last REVERSE)
    if(start EQUAL -1 OR end LESS start OR NOT last EQUAL start)
        message(FATAL_ERROR "the page must hold one inline <script>")
    endif()
    math(EXPR start "${start} + 8")
    math(EXPR length "${end} - ${start}")
    string(SUBSTRING "${text}" ${start} ${length} script)
    file(WRITE ${SITE}.script.js "${script}")
    integrity_of(${SITE}.script.js integrity)
    file(REMOVE ${SITE}.script.js)
    string(FIND "${text}" "'integrity-of:inline-script'" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the page's policy does not name its inline script")
    endif()
    string(REPLACE "'integrity-of:inline-script'" "'${integrity}'" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Rewrites what the text file SITE/`file` mentions.
function(rewrite_file file)
    file(READ ${SITE}/${file} text)
    set(page FALSE)
    if(file MATCHES "\\.html$")
        set(page TRUE)
        allow_inline_script("${text}" text)
    endif()
    rewrite("${text}" ${page} text)
    file(WRITE ${SITE}/${file} "${text}")
endfunction()

file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE})
foreach(file IN LISTS CONTENT_NAMED PLAIN_NAMED)
    file(COPY_FILE ${BUILT}/${file} ${SITE}/${file})
endforeach()

set(renamed "")
set(later ${CONTENT_NAMED})
foreach(file IN LISTS CONTENT_NAMED)
    list(REMOVE_ITEM later ${file})
    if(file MATCHES "${text_files}")
        rewrite_file(${file})
        foreach(other IN LISTS later)
            mentions(${file} ${other} named)
            if(named)
                message(FATAL_ERROR "${file} names ${other}, which is listed after it")
            endif()
        endforeach()
    endif()
    file(SHA256 ${SITE}/${file} digest)
    string(SUBSTRING ${digest} 0 ${digest_length} digest)
    string(REGEX REPLACE "^(.+)\\.([^.]+)$" "\\1.${digest}.\\2" name ${file})
    file(RENAME ${SITE}/${file} ${SITE}/${name})
    set(new_${file} ${name})
    integrity_of(${SITE}/${name} integrity_${file})
    list(APPEND renamed ${file})
endforeach()
foreach(file IN LISTS PLAIN_NAMED)
    if(file MATCHES "${text_files}")
        rewrite_file(${file})
    endif()
endforeach()

# Every renamed file must be named somewhere by its new name, or the page
# would ask for the old one.
set(site_files "")
foreach(file IN LISTS CONTENT_NAMED)
    list(APPEND site_files ${new_${file}})
endforeach()
list(APPEND site_files ${PLAIN_NAMED})
foreach(file IN LISTS CONTENT_NAMED)
    set(found FALSE)
    foreach(other IN LISTS site_files)
        if(NOT found AND other MATCHES "${text_files}")
            mentions(${other} ${new_${file}} found)
        endif()
    endforeach()
    if(NOT found)
        message(FATAL_ERROR "no file of the site names ${file} in quotes")
    endif()
endforeach()

# The page is kept by the service worker itself, as the folder it opens; it
# knows its own page by the content-named files the page names.
set(kept ${site_files})
list(REMOVE_ITEM kept index.html)
foreach(file IN LISTS NOT_KEPT)
    list(REMOVE_ITEM kept ${new_${file}} ${file})
endforeach()
file(READ ${SITE}/index.html page)
string(REGEX MATCHALL "[A-Za-z0-9_.-]+\\.${digest_pattern}\\.[a-z0-9]+" page_names "${page}")
list(REMOVE_DUPLICATES page_names)
write_service_worker(${SITE} ${TEMPLATE} ${VERSION} "${site_files}" "${kept}" "${page_names}"
                     "${digest_pattern_js}")
list(APPEND site_files sw.js)

# The compressed copies, each where it is smaller.
function(compress file suffix)
    execute_process(COMMAND ${ARGN} ${SITE}/${file} OUTPUT_FILE ${SITE}/${file}${suffix}
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN} ${file}: ${status}")
    endif()
    file(SIZE ${SITE}/${file} size)
    file(SIZE ${SITE}/${file}${suffix} smaller)
    if(smaller GREATER_EQUAL size)
        file(REMOVE ${SITE}/${file}${suffix})
    endif()
endfunction()
foreach(file IN LISTS site_files)
    if(file MATCHES "${compressed}")
        compress(${file} .gz ${GZIP} -9 -n -c)
        compress(${file} .br ${BROTLI} -q 11 -c)
    endif()
endforeach()

set(content_named_files "")
set(names "")
foreach(file IN LISTS CONTENT_NAMED)
    list(APPEND content_named_files ${new_${file}})
    string(APPEND names "  \"${file}\": \"${new_${file}}\",\n")
endforeach()
write_host_files(${SITE} "${site_files}" "${content_named_files}")

# SITE.files.json beside the site: each content-named file's name in it by
# its name as built, for the scripts that serve and test the site.
string(REGEX REPLACE ",\n$" "\n" names "${names}")
file(WRITE ${SITE}.files.json "{\n${names}}\n")
