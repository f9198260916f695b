-- Tables of the kasa file.
PRAGMA application_id = 1145130070;
