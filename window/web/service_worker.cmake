# Writes SITE/sw.js from TEMPLATE: the list of the site's FILES, and a cache
# name made of VERSION and a digest of the files' content.
set(digests "")
set(list "")
foreach(name IN LISTS FILES)
    file(SHA256 ${SITE}/${name} digest)
    string(APPEND digests "${name} ${digest}\n")
    string(APPEND list "  '${name}',\n")
endforeach()
string(SHA256 digest "${digests}")
string(SUBSTRING ${digest} 0 16 digest)
set(OSTREL_WEB_CACHE "ostrel-${VERSION}-${digest}")
set(OSTREL_WEB_FILES "  './',\n${list}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
