# End-to-end tests under wine64: the driver program and the scenario scripts (being written).
