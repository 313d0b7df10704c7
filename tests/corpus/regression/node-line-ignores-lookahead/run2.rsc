WHILE 1 / 0
{
}
