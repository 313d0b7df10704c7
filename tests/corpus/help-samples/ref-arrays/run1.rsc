; Arrays are variables; built-ins take the array's name as a string.
SPLIT("pear,apple,fig,apple", ",", "FRUIT")
SORTARRAY("FRUIT")
UNIQARRAY("FRUIT")
MESSAGE(JOIN("FRUIT", " ") + " (" + ARRAYSIZE("FRUIT") + ")")
squares[4] = 16
FOR (i = 0, i < 4, i++) {
    squares[i] = i * i
}
MESSAGE(JOIN(squares, ","))
MESSAGE(TYPEOF("SQUARES") + " " + TYPEOF("NOTHING_HERE"))
