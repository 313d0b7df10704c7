MESSAGE(TYPEOF("N") + "," + y + "," + z)
