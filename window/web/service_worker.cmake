# SPDX-License-Identifier: MIT
# Writes `site`/sw.js from `template`: the list of the files it keeps, `kept`;
# the content-named files its page names, `page_names`, by which it knows its
# own version's page from another's; and a cache name made of `version` and a
# digest of the template and of the content of every file of the site,
# `files`, so that any change, the worker's own included, makes a new cache;
# and the pattern of the digest in a content name, `digest_pattern_js`, in
# JavaScript.
function(write_service_worker site template version files kept page_names digest_pattern_js)
    file(SHA256 ${template} digest)
    set(digests "sw.js ${digest}\n")
    foreach(name IN LISTS files)
        file(SHA256 ${site}/${name} digest)
        string(APPEND digests "${name} ${digest}\n")
    endforeach()
    string(SHA256 digest "${digests}")
    string(SUBSTRING ${digest} 0 16 digest)
    set(OSTREL_WEB_CACHE "ostrel-${version}-${digest}")
    foreach(list IN ITEMS kept page_names)
        set(text "")
        foreach(name IN LISTS ${list})
            string(APPEND text "  '${name}',\n")
        endforeach()
        set(${list} "${text}")
    endforeach()
    set(OSTREL_WEB_FILES "${kept}")
    set(OSTREL_WEB_PAGE_NAMES "${page_names}")
    set(OSTREL_WEB_DIGEST "${digest_pattern_js}")
    configure_file(${template} ${site}/sw.js @ONLY)
endfunction()
