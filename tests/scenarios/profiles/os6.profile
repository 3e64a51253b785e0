# A device running a later Windows CE than the cabinet allows.
os=6.0.1000
