# Arrays that hold only integers, read and changed every way a value can be: as text, compared
# with strings, copied, grown, cut, sorted, joined, and turned into arrays of any value.
FOR (i = 0, i < 6, i++) {
  a[i] = i * 1000000000
}
MESSAGE("" + a[2] + "|" + a[5] + "|" + (a[1] === 1000000000) + (a[1] === "1000000000") + (a[1] == "1000000000"))
MESSAGE(JOIN("a", ",") + " " + TYPEOF(a[3]) + " " + STRLEN(a[4]) + " " + a[9] + " " + ARRAYSIZE("a"))
b = a
b[0] = "text"
b[1] = b
MESSAGE(JOIN("a", ",") + " / " + JOIN("b", ",") + " " + TYPEOF(b[0]) + TYPEOF(b[2]))
a[3] = "x" + a[3]
a[12] = 7
MESSAGE(JOIN("a", ",") + " " + ARRAYSIZE("a") + " " + TYPEOF(a[11]))
ARRAYINIT("c", 5, 3, 10, -1)
ARRAYADD("c", 2, 0)
SORTARRAY("c")
MESSAGE(JOIN("c", ","))
ARRAYADD("c", "s", 4)
RESIZE("c", 3)
RESIZE("c", 5)
MESSAGE(JOIN("c", ",") + " " + ARRAYSIZE("c"))
ARRAYINIT("d", 1, 2, 3)
RESIZE("d", 2)
d[4] = d[0] + d[1]
d[1] = d[1] * 2147483647
MESSAGE(JOIN("d", ",") + " " + (d[1] + 1) + " " + UNIQARRAY("d") + " " + JOIN("d", ","))
e[2] = 4
e[0] = e
MESSAGE(JOIN("e", ",") + " " + TYPEOF(e[0]) + " " + TYPEOF(e[1]))
