# A swapped answer: the rate warning goes on when the user says No.
# File: src/modes/Apply.cpp
s/texts::kRateWarningTitle) == ui::Answer::Yes;/texts::kRateWarningTitle) == ui::Answer::No;/
