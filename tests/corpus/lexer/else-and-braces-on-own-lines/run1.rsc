IF 0
{
  MESSAGE("then")
}
else
{
  MESSAGE("else")
}
x = 1 / 0
