# A threshold off by one: a 50.00 driver is no longer too new.
# File: src/detect/DetectSystem.cpp
s/if (version >= 5000) found_.DriverTooNew/if (version > 5000) found_.DriverTooNew/
