# Writes the service worker into the page's folder (dir), its cache named after a digest of
# every file it keeps (files), so that any change to one of them makes a new worker.
# Usage: cmake -Ddir=FOLDER -Dfiles="a;b;..." -P service-worker.cmake
foreach(file IN LISTS files)
    file(SHA256 ${dir}/${file} digest)
    string(APPEND digests ${digest})
endforeach()
string(SHA256 BOUNCE_BUILD "${digests}")
string(SUBSTRING ${BOUNCE_BUILD} 0 16 BOUNCE_BUILD)
list(JOIN files "', '" BOUNCE_FILES)
set(BOUNCE_FILES "'${BOUNCE_FILES}'")
configure_file(${CMAKE_CURRENT_LIST_DIR}/service-worker.js ${dir}/service-worker.js @ONLY)
