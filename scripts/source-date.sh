# Sourced by the scripts that build a release: exports SOURCE_DATE_EPOCH, the time that
# every timestamp in the release takes, as the commit's time unless it is already set.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null ||
        dpkg-parsechangelog -l packaging/changelog -STimestamp)
fi
export SOURCE_DATE_EPOCH
