WHILE 1 {
}
