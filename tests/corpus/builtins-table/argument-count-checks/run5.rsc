x = Message()
