CB.f
