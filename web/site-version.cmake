# Writes the site's service worker: the template with the site's files and the build's version,
# a hash of those files' names and contents, so that any change to the site is a new version.
# cmake -DTEMPLATE=web/sw.js -DOUTPUT=site/sw.js -DSITE=site "-DFILES=index.html;zentor.js;..." -P
set(hashes "")
set(names "")
foreach(file IN LISTS FILES)
  file(SHA256 ${SITE}/${file} hash)
  string(APPEND hashes "${file} ${hash}\n")
  list(APPEND names "'${file}'")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 ZENTOR_SITE_VERSION)
list(JOIN names ", " ZENTOR_SITE_FILES)
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
