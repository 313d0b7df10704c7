MESSAGE(v + w)
