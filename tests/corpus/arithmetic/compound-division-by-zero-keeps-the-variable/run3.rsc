MESSAGE("" + x + "," + y + "," + z + "," + w)
