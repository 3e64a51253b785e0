# A device whose object store its files already fill: every write that
# needs room fails with ERROR_DISK_FULL.
store.capacity=1K
