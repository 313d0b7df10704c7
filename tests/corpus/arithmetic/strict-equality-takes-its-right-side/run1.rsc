MESSAGE(1 + 2 === 2 + 0)
MESSAGE(7 === 0 ? 5 : 7)
MESSAGE(1 == 2 === 2)
