#!/usr/bin/python3
"""Prints the CPU seconds and the wall-clock seconds ezdxf.readfile takes to
read the given drawing, and the number of model-space entities."""
import sys
import time

import ezdxf

wall = time.perf_counter()
cpu = time.process_time()
doc = ezdxf.readfile(sys.argv[1])
cpu = time.process_time() - cpu
wall = time.perf_counter() - wall
print(f"{cpu:.6f} {wall:.6f} {len(doc.modelspace())}")
