# Arrays filled with strings only, read and changed every way a value can be: as numbers, as
# text, compared, copied, overwritten many times, sorted both ways, joined, grown, cut, and
# turned into arrays of any value.
FOR (i = 0, i < 6, i++) {
  t[i] = "" + (i * 7 - 10)
}
MESSAGE(JOIN("t", ",") + " " + (t[1] + 1) + " " + (t[1] * 2) + " " + (t[5] == 25) + (t[5] === 25) + (t[5] === "25") + " " + TYPEOF(t[2]) + STRLEN(t[3]))
u = t
u[0] = "changed"
MESSAGE(JOIN("t", ",") + " / " + JOIN("u", ","))
FOR (k = 0, k < 3000, k++) {
  t[k % 6] = "v" + k
}
MESSAGE(JOIN("t", ",") + " " + ARRAYSIZE("t"))
SORTARRAY("t")
MESSAGE(JOIN("t", ","))
SORTARRAYDESC("t")
MESSAGE(JOIN("t", ",") + " " + t[0] + t[5])
t[6] = ""
t[7] = "é"
SORTARRAY("t")
MESSAGE(JOIN("t", "|"))
t[8] = 5
MESSAGE(JOIN("t", "|") + " " + TYPEOF(t[8]) + TYPEOF(t[7]))
FOR (i = 0, i < 5, i++) {
  w[i] = "w" + (5 - i)
}
RESIZE("w", 3)
MESSAGE(JOIN("w", ",") + " " + ARRAYSIZE("w"))
RESIZE("w", 5)
MESSAGE(JOIN("w", ",") + " " + TYPEOF(w[4]))
x[0] = "a"
x[1] = x
x[2] = "b"
MESSAGE(JOIN("x", ",") + " " + TYPEOF(x[1]))
y[0] = "keep"
y[3] = "gap"
MESSAGE(JOIN("y", ",") + " " + UNIQARRAY("y") + " " + JOIN("y", ","))
FOR (i = 0, i < 4, i++) {
  z[i] = "z"
}
z[2] = z[2] + "!"
MESSAGE(JOIN("z", ",") + " " + (z[0] + z[2]) + " " + a[0])
