MESSAGE("" + KSIN(30) + "," + KCOS(60) + "," + KTAN(45) + "," + KSIN(90) + "," + KCOS(90) + "," + KTAN(90))
MESSAGE("" + KSIN(-30) + "," + KCOS(0) + "," + KTAN(89) + "," + KTAN(-90) + "," + KSIN(0))
