# SPDX-License-Identifier: MIT
# Writes what a web host needs to serve the site as it should, from the facts
# the site is made of (site.cmake's kinds of file, media types and content
# names, and the policy in the page's <meta>):
# - `site`.nginx.conf beside the site: nginx's configuration of it, to include
#   in the server (or location) that serves the site's folder;
# - `site`/_headers: the same headers for a static host that reads such a
#   file (Netlify, Cloudflare Pages).
# Both carry the page's Content-Security-Policy, which names the digest of
# the page's inline script: a host takes them with every new site.
#
# `files` are the site's files by their names in it, `content_named` those
# of them named by their content.

# The page's own policy, from its <meta>, with what only a header can say.
function(host_policy site out)
    file(READ ${site}/index.html page)
    if(NOT page MATCHES "<meta http-equiv=\"Content-Security-Policy\" content=\"([^\"]*)\">")
        message(FATAL_ERROR "${site}/index.html has no Content-Security-Policy")
    endif()
    set(policy "${CMAKE_MATCH_1}; frame-ancestors 'none'")
    # nginx would read a $ as a variable; a quote or a line break would end
    # the header.
    if(policy MATCHES "[\"$\\\\\n]")
        message(FATAL_ERROR "the page's policy holds a character no header can carry: ${policy}")
    endif()
    set(${out} "${policy}" PARENT_SCOPE)
endfunction()

# Writes `text` to `file` unless it holds it already, in one step: a server
# that reloads its configuration on a change never reads half of one.
function(write_whole file text)
    if(EXISTS ${file})
        file(READ ${file} old)
        if(old STREQUAL text)
            return()
        endif()
    endif()
    file(WRITE ${file}.new "${text}")
    file(RENAME ${file}.new ${file})
endfunction()

function(write_host_files site files content_named)
    # The headers on every answer, by name (a list would split the policy at
    # its semicolons).
    host_policy(${site} value_Content-Security-Policy)
    set(value_X-Content-Type-Options nosniff)
    set(value_Referrer-Policy no-referrer)
    set(security Content-Security-Policy X-Content-Type-Options Referrer-Policy)
    set(immutable "public, max-age=31536000, immutable")

    # The media types of the kinds the site has, each once; the text kinds
    # are sent as UTF-8.
    set(types "")
    set(text_types "")
    set(kinds "")
    foreach(file IN LISTS files)
        string(REGEX MATCH "[^.]+$" kind ${file})
        list(FIND media_types ${kind} at)
        if(at EQUAL -1 OR NOT at MATCHES "[02468]$")
            message(FATAL_ERROR "${file}: no media type for .${kind} (site.cmake's media_types)")
        endif()
        if(NOT kind IN_LIST kinds)
            list(APPEND kinds ${kind})
            math(EXPR at "${at} + 1")
            list(GET media_types ${at} type)
            string(APPEND types "    ${type} ${kind};\n")
            if(file MATCHES "${text_files}" AND NOT type STREQUAL "text/html")
                list(APPEND text_types ${type})
            endif()
        endif()
    endforeach()
    list(REMOVE_DUPLICATES text_types)
    list(JOIN text_types " " text_types)

    # A content-named file by its name and kind, whatever its digest: the
    # configuration stays right for the next build as long as its files are
    # the same.
    set(stems "")
    set(content_kinds "")
    foreach(file IN LISTS content_named)
        if(NOT file MATCHES "^(.+)\\.${digest_pattern}\\.([^.]+)$")
            message(FATAL_ERROR "${file} is not named by its content")
        endif()
        list(APPEND content_kinds ${CMAKE_MATCH_2})
        string(REGEX REPLACE "([.+*?()|^$])" "\\\\\\1" stem "${CMAKE_MATCH_1}")
        list(APPEND stems ${stem})
    endforeach()
    list(REMOVE_DUPLICATES stems)
    list(REMOVE_DUPLICATES content_kinds)
    list(JOIN stems "|" stems)
    list(JOIN content_kinds "|" content_kinds)

    set(headers "")
    foreach(header IN LISTS security)
        string(APPEND headers "add_header ${header} \"${value_${header}}\" always;\n")
    endforeach()
    get_filename_component(name ${site} NAME)
    write_whole(${site}.nginx.conf "\
# nginx's configuration of the calculator's site, written by its build
# beside the site's folder (${name}). Include it where nginx serves that
# folder, in its server or in a location of its own (docs/web-host.md):
#
#     root /var/www/ostrel;
#     include /etc/nginx/ostrel.conf;
#
# It needs the brotli_static module (Debian: libnginx-mod-http-brotli-static).
# The policy below names the digest of the page's inline script: copy this
# file with every new site and reload nginx.

# Only GET and HEAD; no symlink is followed (nor may the folder's own path
# hold one); a file is \"not modified\" only since its very time.
if ($request_method !~ ^(GET|HEAD)$) {
    return 405;
}
disable_symlinks on;
if_modified_since exact;
index index.html;

# The copies compressed at build time (name.br, name.gz), to a browser that
# accepts them.
brotli_static on;
gzip_static on;
gzip_vary on;

types {
${types}}
default_type application/octet-stream;
charset utf-8;
charset_types ${text_types};

# A file named by its content is kept a year; the page, the service worker
# and the manifest are asked again on every visit. An error is kept by no one.
set $ostrel_cache \"no-cache\";
if ($uri ~ \"/(${stems})\\.${digest_pattern}\\.(${content_kinds})$\") {
    set $ostrel_cache \"${immutable}\";
}
add_header Cache-Control $ostrel_cache;
${headers}")

    # _headers: by each file's own name, since such a host joins the values
    # of every rule that matches.
    set(text "\
# The headers of the calculator's site for a static host that reads a
# _headers file (Netlify, Cloudflare Pages); written by its build. The paths
# are from the host's root.
/*
")
    foreach(header IN LISTS security)
        string(APPEND text "  ${header}: ${value_${header}}\n")
    endforeach()
    set(paths / ${files})
    list(REMOVE_ITEM paths _headers)
    foreach(path IN LISTS paths)
        string(REGEX REPLACE "^/" "" file "${path}")
        if(file IN_LIST content_named)
            set(cache "${immutable}")
        else()
            set(cache no-cache)
        endif()
        string(APPEND text "/${file}\n  Cache-Control: ${cache}\n")
    endforeach()
    file(WRITE ${site}/_headers "${text}")
endfunction()
