MESSAGE("" + SQRT(10) + "," + SQRT(16) + "," + SQRT(0) + "," + SQRT(-1) + "," + SQRT(MAXINTEGER))
MESSAGE("" + KSQRT(2) + "," + KSQRT(1) + "," + KSQRT(-4) + "," + KSQRT(MAXINTEGER))
