previous header
