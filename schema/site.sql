-- Tables of the site file.
PRAGMA application_id = 1145130070;
