# The EDID range offsets read from the wrong bit.
# File: src/detect/Edid.cpp
s/\*maxOffset = (bits \& 2) ? 255 : 0;/*maxOffset = (bits \& 1) ? 255 : 0;/
