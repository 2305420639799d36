# A countdown off by one: the undo comes a second late.
# File: src/app/frmConfirm.cpp
s/if (secondsLeft_ <= 0) Undo(false);/if (secondsLeft_ < 0) Undo(false);/
