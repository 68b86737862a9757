# SPDX-License-Identifier: MIT
# Writes `site`/sw.js from `template`: the list of the files it keeps, `kept`,
# and a cache name made of `version` and a digest of the content of every
# file of the site, `files`, so that any change makes a new cache.
function(write_service_worker site template version files kept)
    set(digests "")
    foreach(name IN LISTS files)
        file(SHA256 ${site}/${name} digest)
        string(APPEND digests "${name} ${digest}\n")
    endforeach()
    string(SHA256 digest "${digests}")
    string(SUBSTRING ${digest} 0 16 digest)
    set(OSTREL_WEB_CACHE "ostrel-${version}-${digest}")
    set(OSTREL_WEB_FILES "")
    foreach(name IN LISTS kept)
        string(APPEND OSTREL_WEB_FILES "  '${name}',\n")
    endforeach()
    configure_file(${template} ${site}/sw.js @ONLY)
endfunction()
