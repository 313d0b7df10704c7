x = 1
IF x == 1
{
  MESSAGE("crlf")
}
ELSE
{
}
y = 1 / 0
