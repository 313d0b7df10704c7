# Integers and strings with the same text sort as equals; which of them comes first is the same
# in every build (long enough for the sort's partitioning, not only its insertion sort).
FOR (i = 0, i < 300, i++) {
  k = (i * 37) % 11
  IF i % 3 == 0 {
    a[i] = k
  } ELSE {
    a[i] = "" + k
  }
}
SORTARRAY("a")
s = ""
FOR (i = 0, i < 300, i++) {
  IF a[i] === a[i] + 0 {
    s += "i"
  } ELSE {
    s += "s"
  }
}
MESSAGE(s)
SORTARRAYDESC("a")
s = ""
FOR (i = 0, i < 300, i++) {
  IF a[i] === a[i] + 0 {
    s += "i"
  } ELSE {
    s += "s"
  }
}
MESSAGE(s + JOIN("a", ""))
