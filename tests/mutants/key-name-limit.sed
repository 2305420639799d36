# A limit off by one: a key name of exactly 255 characters is refused.
# File: src/platform/store/RegReader.cpp
s/if (name.size() > kMaxKeyNameLength) {/if (name.size() >= kMaxKeyNameLength) {/
