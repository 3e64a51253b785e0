# A device with 1 MB of storage free.
store.free=1M
appdata.free=1M
