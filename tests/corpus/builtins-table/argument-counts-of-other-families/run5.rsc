x = Mid$("abc", 1)
