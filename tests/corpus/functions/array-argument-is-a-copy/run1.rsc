FUNC f(p) {
  p[0] = 9
  RETURN p[0]
}
arr[0] = 1
MESSAGE(f(arr))
MESSAGE(arr[0])
MESSAGE("[" + p + "]")
