r = WARNING("w") + INFORMATION("i", "cap") + ERROR("e")
MESSAGE(r)
