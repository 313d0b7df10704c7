CB x()
