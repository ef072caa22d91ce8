// Prints what the ase-util package reads from an .ase file, as JSON.
const fs = require("fs");
const ase = require("ase-util");
process.stdout.write(JSON.stringify(ase.read(fs.readFileSync(process.argv[2]))));
