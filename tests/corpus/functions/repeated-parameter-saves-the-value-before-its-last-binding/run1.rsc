# A parameter named twice is bound twice, left to right, and saved before each binding under its
# one name: after the call it holds what it held before its last binding, the first argument.
FUNC f(x, y, x) {
  RETURN x * 100 + y
}
x = 5
y = 6
r = f(1, 2, 3)
MESSAGE("" + r + "," + x + "," + y)
