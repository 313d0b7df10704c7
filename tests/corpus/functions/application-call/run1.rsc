CB.ShellNotify("hi", 3, "日本")
a[0] = 1
CB.pass(a, 1 + 1, "")
CB.none()
