s = "abc
