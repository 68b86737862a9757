# SPDX-License-Identifier: MIT
# Writes OUTPUT, the page's script: BEFORE, a part of it in a file of its
# own, then TEMPLATE with @PAGE_NAMES@ replaced by the contents of NAMES:
# what web_page printed of the page's names.
file(READ ${TEMPLATE} script)
file(READ ${NAMES} names)
string(STRIP "${names}" names)
string(FIND "${script}" "@PAGE_NAMES@" at)
if(at EQUAL -1 OR names STREQUAL "")
    message(FATAL_ERROR "${TEMPLATE} has no @PAGE_NAMES@, or ${NAMES} is empty")
endif()
string(REPLACE "@PAGE_NAMES@" "${names}" script "${script}")
file(READ ${BEFORE} before)
file(WRITE ${OUTPUT} "${before}${script}")
