#!/usr/bin/python3
"""Prints the seconds ezdxf.readfile takes to read the given drawing."""
import sys
import time

import ezdxf

start = time.perf_counter()
doc = ezdxf.readfile(sys.argv[1])
elapsed = time.perf_counter() - start
print(f"{elapsed:.6f} {len(doc.modelspace())}")
