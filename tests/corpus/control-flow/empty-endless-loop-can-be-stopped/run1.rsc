LOOP {}
