# A timer not restarted: enabling a Qt timer again does not start it.
# File: src/platform/qt/FormWindow.cpp
s/enabled ? control->timer->start() : control->timer->stop();/if (!enabled) control->timer->stop();/
